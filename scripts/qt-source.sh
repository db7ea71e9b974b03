#!/usr/bin/env bash
# Downloads Debian's qt6-base source package of the host's Qt version (.dsc, orig and debian
# tarballs) into a cache folder outside the clone, once, and checks it against its .dsc. Both
# archives' Qt is built from it: the Windows Qt here, the Linux one by Debian. A release carries it.
# Usage: scripts/qt-source.sh   (progress on stderr; the folder is the one line on stdout)
# Environment: BANDIX_CACHE, the cache folder (default ~/.cache/bandix).
set -euo pipefail
cd "$(dirname "$0")/.."
source scripts/deps.sh
source scripts/packaging.sh
ensure_packages qt6-base-dev dpkg-dev xz-utils >&2

cache=${BANDIX_CACHE:-$HOME/.cache/bandix}
version=$(dpkg-query -W -f='${Version}' qt6-base-dev)
folder="$cache/qt6-base-$version-source"
mkdir -p "$cache"
exec 8>"$cache/qt-source.lock"
flock 8
if [ -f "$folder/.complete" ]; then
    echo "$folder"
    exit 0
fi

work="$cache/qt-source-download"
rm -rf "$work" "$folder"
mkdir -p "$work/apt/lists/partial" "$work/apt/sources.list.d" "$work/files"
echo "Downloading the qt6-base $version source package" >&2
# The machine's own package sources, turned into source-package sources in a list of our own,
# so the machine's apt configuration stays as it is.
eval "$(apt-config shell source_list Dir::Etc::sourcelist/f source_parts Dir::Etc::sourceparts/d)"
# shellcheck disable=SC2154 # source_list and source_parts come from apt-config's eval
sed -n 's/^[[:space:]]*deb[[:space:]]/deb-src /p' "$source_list" /dev/null "$source_parts"*.list \
    2>/dev/null >"$work/apt/sources.list" || true
for parts_file in "$source_parts"*.sources; do
    [ -f "$parts_file" ] && sed 's/^Types:.*/Types: deb-src/' "$parts_file" \
        >"$work/apt/sources.list.d/$(basename "$parts_file")"
done
apt_options=(-o "Dir::Etc::SourceList=$work/apt/sources.list"
             -o "Dir::Etc::SourceParts=$work/apt/sources.list.d"
             -o "Dir::State::Lists=$work/apt/lists" -o Debug::NoDropPrivs=true)
{ apt-get "${apt_options[@]}" update &&
  (cd "$work/files" && apt-get "${apt_options[@]}" source --download-only "qt6-base=$version"); } \
    >"$work/apt.log" 2>&1 || { cat "$work/apt.log" >&2; exit 1; }
dsc=("$work"/files/qt6-base_*.dsc)
[ -f "${dsc[0]}" ] || { echo "No qt6-base source package for $version in the machine's package sources" >&2; exit 1; }
(cd "$work/files" && dsc_files_match "$(basename "${dsc[0]}")") >&2
mv "$work/files" "$folder"
rm -rf "$work"
touch "$folder/.complete"
echo "$folder"
