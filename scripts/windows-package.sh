#!/usr/bin/env bash
# Builds Bandix for 64-bit Windows and packs it with the Qt and MinGW DLLs it loads into a
# portable ZIP. Progress goes to stderr; the ZIP's path is the only line on stdout.
set -euo pipefail
cd "$(dirname "$0")/.."
source scripts/windows-env.sh
source scripts/packaging.sh
ensure_packages zip unzip >&2
windows_prepare >&2
reproducible_packaging

build=build/windows-mingw
dist="$build/dist"
cmake --preset windows-mingw >&2
cmake --build --preset windows-mingw --target Bandix >&2
# A fresh folder, so the one ZIP in it is the one just made.
rm -rf "$dist"
cpack --config "$build/CPackConfig.cmake" -B "$dist" >&2
# What a download page offers, and nothing else: the archive and SHA256SUMS.
rm -rf "$dist/_CPack_Packages"

shopt -s nullglob
archives=("$dist"/Bandix-*.zip)
if [ ${#archives[@]} -ne 1 ]; then
    echo "Expected one ZIP in $dist, found ${#archives[@]}" >&2
    exit 1
fi
repack_reproducibly "${archives[0]}"
write_sha256sums "${archives[0]}"
realpath "${archives[0]}"
