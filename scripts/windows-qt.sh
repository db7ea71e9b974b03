#!/usr/bin/env bash
# Builds a static Qt for 64-bit Windows (MinGW-w64) from Debian's qt6-base source package, the
# same version as the host's Qt, into a cache folder outside the clone; a second run finds it
# there. Beside the libraries it keeps the records the third-party notices are made from: the
# source's licence and attribution files, and which source files each library was compiled from.
# Usage: scripts/windows-qt.sh   (progress on stderr; the Qt prefix is the one line on stdout)
# Environment: BANDIX_CACHE, the cache folder (default ~/.cache/bandix).
set -euo pipefail
cd "$(dirname "$0")/.."
source scripts/deps.sh
ensure_packages "${BUILD_PACKAGES[@]}" g++-mingw-w64-x86-64-posix dpkg-dev xz-utils perl python3 >&2

options_file=cmake/windows-qt/configure-options.txt
toolchain="$PWD/cmake/mingw-w64-x86_64.cmake"
cache=${BANDIX_CACHE:-$HOME/.cache/bandix}
version=$(dpkg-query -W -f='${Version}' qt6-base-dev)
# Keyed by the source version, the configure line and the compiler it is built with.
key=$( (cat "$options_file"; x86_64-w64-mingw32-g++-posix --version) | sha256sum | cut -c1-12)
prefix="$cache/qt-$version-mingw64-static-$key"

source_package=$(scripts/qt-source.sh)
mkdir -p "$cache"
exec 9>"$cache/qt-windows.lock"
flock 9
if [ -f "$prefix/.complete" ]; then
    echo "$prefix"
    exit 0
fi

work="$cache/qt-windows-build"
rm -rf "$work" "$prefix"
mkdir -p "$work"
echo "Building a static Qt $version for Windows into $prefix (about 20 minutes on 2 cores)" >&2
(cd "$work" && dpkg-source -x "$source_package"/qt6-base_*.dsc source) >"$work/unpack.log" 2>&1 ||
    { cat "$work/unpack.log" >&2; exit 1; }

options=()
while IFS= read -r line; do
    [[ "$line" =~ ^[[:space:]]*(#|$) ]] || options+=("${line//@WORK@/$work}")
done <"$options_file"

log="$work/build.log"
# -k 0: a build that fails names every file that fails, not only the first.
if ! { cmake -S "$work/source" -B "$work/build" -G Ninja -DCMAKE_TOOLCHAIN_FILE="$toolchain" \
           -DCMAKE_INSTALL_PREFIX="$prefix" "${options[@]}" &&
       cmake --build "$work/build" --parallel "$(nproc)" -- -k 0 &&
       cmake --install "$work/build" &&
       python3 scripts/notices.py record "$work/source" "$work/build" "$prefix/records"; } >"$log" 2>&1
then
    tail -n 60 "$log" >&2
    echo "Qt for Windows failed to build; the whole log is $log" >&2
    exit 1
fi
cp "$options_file" "$prefix/configure-options.txt"
touch "$prefix/.complete"
# The build tree is most of a gigabyte and nothing reads it again.
rm -rf "$work"
echo "$prefix"
