#!/usr/bin/env bash
# Writes a release: one folder with the Linux archive, the Windows ZIP, Bandix's own source at
# this commit, the Debian qt6-base source package both archives' Qt is built from (the source
# the LGPL asks us to pass on), and one SHA256SUMS over all of them.
# Usage: scripts/release.sh   (progress on stderr; the folder's path is the only line on stdout)
set -euo pipefail
cd "$(dirname "$0")/.."
source scripts/deps.sh
source scripts/packaging.sh
ensure_packages git gzip >&2
reproducible_packaging

linux_archive=$(scripts/package.sh)
windows_archive=$(scripts/windows-package.sh)
qt_source=$(scripts/qt-source.sh)
version=$(sed -n 's/^project(Bandix VERSION \([0-9.]*\).*/\1/p' CMakeLists.txt)
git diff --quiet HEAD || echo "Uncommitted changes are not in the source archive of $(git rev-parse HEAD)" >&2

folder="$PWD/build/release-dist/Bandix-$version"
rm -rf "$folder"
mkdir -p "$folder"
cp "$linux_archive" "$windows_archive" "$folder/"
# The commit's tree as it stands in git, dated by the commit: the same bytes on every builder.
git archive --format=tar --prefix="Bandix-$version/" HEAD | gzip -9n >"$folder/Bandix-$version-source.tar.gz"
dsc=("$qt_source"/qt6-base_*.dsc)
cp "${dsc[0]}" "$folder/"
dsc_files "${dsc[0]}" | while read -r _ file; do cp "$qt_source/$file" "$folder/"; done
(cd "$folder" && dsc_files_match "$(basename "${dsc[0]}")") >&2
files=$(cd "$folder" && find . -maxdepth 1 -type f -printf '%P\n' | LC_ALL=C sort)
(cd "$folder" && xargs sha256sum -- <<<"$files" >SHA256SUMS)
echo "$folder"
