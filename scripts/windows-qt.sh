#!/usr/bin/env bash
# Builds Qt for 64-bit Windows (MinGW-w64) from Debian's qt6-base source package, the same
# version as the host's Qt, into a cache folder outside the clone; a second run finds it there.
# Usage: scripts/windows-qt.sh   (progress on stderr; the Qt prefix is the one line on stdout)
# Environment: BANDIX_CACHE, the cache folder (default ~/.cache/bandix).
set -euo pipefail
cd "$(dirname "$0")/.."
source scripts/deps.sh
ensure_packages "${BUILD_PACKAGES[@]}" g++-mingw-w64-x86-64-posix dpkg-dev xz-utils perl >&2

options_file=cmake/windows-qt/configure-options.txt
toolchain="$PWD/cmake/mingw-w64-x86_64.cmake"
cache=${BANDIX_CACHE:-$HOME/.cache/bandix}
version=$(dpkg-query -W -f='${Version}' qt6-base-dev)
# Keyed by the source version, the configure line and the compiler it is built with.
key=$( (cat "$options_file"; x86_64-w64-mingw32-g++-posix --version) | sha256sum | cut -c1-12)
prefix="$cache/qt-$version-mingw64-$key"

mkdir -p "$cache"
exec 9>"$cache/qt-windows.lock"
flock 9
if [ -f "$prefix/.complete" ]; then
    echo "$prefix"
    exit 0
fi

work="$cache/qt-windows-build"
rm -rf "$work" "$prefix"
mkdir -p "$work/apt/lists/partial"
echo "Building Qt $version for Windows into $prefix (about 12 minutes on 2 cores)" >&2

# The machine's own package sources, turned into source-package sources in a list of our own,
# so the machine's apt configuration stays as it is.
eval "$(apt-config shell source_list Dir::Etc::sourcelist/f source_parts Dir::Etc::sourceparts/d)"
mkdir -p "$work/apt/sources.list.d"
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
apt-get "${apt_options[@]}" update >"$work/apt.log" 2>&1 || { cat "$work/apt.log" >&2; exit 1; }
(cd "$work" && apt-get "${apt_options[@]}" source --download-only "qt6-base=$version") \
    >>"$work/apt.log" 2>&1 || { cat "$work/apt.log" >&2; exit 1; }
(cd "$work" && dpkg-source --no-check -x ./qt6-base_*.dsc source) >>"$work/apt.log" 2>&1 ||
    { cat "$work/apt.log" >&2; exit 1; }

options=()
while IFS= read -r line; do
    [[ "$line" =~ ^[[:space:]]*(#|$) ]] || options+=("${line//@WORK@/$work}")
done <"$options_file"

log="$work/build.log"
if ! { cmake -S "$work/source" -B "$work/build" -G Ninja -DCMAKE_TOOLCHAIN_FILE="$toolchain" \
           -DCMAKE_INSTALL_PREFIX="$prefix" "${options[@]}" &&
       cmake --build "$work/build" --parallel "$(nproc)" &&
       cmake --install "$work/build"; } >"$log" 2>&1; then
    tail -n 60 "$log" >&2
    echo "Qt for Windows failed to build; the whole log is $log" >&2
    exit 1
fi
cp "$options_file" "$prefix/configure-options.txt"
touch "$prefix/.complete"
# The build tree is most of a gigabyte and nothing reads it again.
rm -rf "$work"
echo "$prefix"
