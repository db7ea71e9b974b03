#!/usr/bin/env bash
# Builds the Release program and packs it with the Qt it needs into a portable archive.
# Progress goes to stderr; the archive's path is the only line on stdout.
set -euo pipefail
cd "$(dirname "$0")/.."
source scripts/deps.sh
source scripts/packaging.sh
ensure_packages "${BUILD_PACKAGES[@]}" >&2
reproducible_packaging

build=build/package
dist="$build/dist"
cmake -S . -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Release -DBANDIX_BUILD_TESTS=OFF >&2
cmake --build "$build" >&2
# A fresh folder, so the one archive in it is the one just made.
rm -rf "$dist"
cpack --config "$build/CPackConfig.cmake" -B "$dist" >&2
# What a download page offers, and nothing else: the archive and SHA256SUMS.
rm -rf "$dist/_CPack_Packages"

shopt -s nullglob
archives=("$dist"/Bandix-*.tar.gz)
if [ ${#archives[@]} -ne 1 ]; then
    echo "Expected one archive in $dist, found ${#archives[@]}" >&2
    exit 1
fi
repack_reproducibly "${archives[0]}"
write_sha256sums "${archives[0]}"
realpath "${archives[0]}"
