#!/usr/bin/env bash
# Cross-builds the core and its GoogleTest executables for 64-bit Windows and runs them under Wine.
# Usage: scripts/windows-core.sh   (build tree: build/windows-core, reused on the next run)
set -euo pipefail
cd "$(dirname "$0")/.."
source scripts/deps.sh
ensure_packages cmake ninja-build googletest g++-mingw-w64-x86-64-posix wine64

build_dir="$PWD/build/windows-core"
toolchain="$PWD/cmake/mingw-w64-x86_64.cmake"
gtest_install="$build_dir/googletest-install"
# wine64 from Debian installs only these two, no /usr/bin/wine without the 32-bit side.
wine=/usr/lib/wine/wine64
export WINESERVER=/usr/lib/wine/wineserver64

# Debian ships GoogleTest as sources only; its host libraries cannot link into a PE executable.
if [ ! -f "$gtest_install/lib/cmake/GTest/GTestConfig.cmake" ]; then
    cmake -S /usr/src/googletest -B "$build_dir/googletest-build" -G Ninja \
        -DCMAKE_TOOLCHAIN_FILE="$toolchain" -DCMAKE_BUILD_TYPE=Release \
        -DCMAKE_INSTALL_PREFIX="$gtest_install" \
        -DBUILD_GMOCK=OFF -DBUILD_SHARED_LIBS=OFF >/dev/null
    cmake --build "$build_dir/googletest-build"
    cmake --install "$build_dir/googletest-build" >/dev/null
fi

cmake -S . -B "$build_dir" -G Ninja \
    -DCMAKE_TOOLCHAIN_FILE="$toolchain" -DCMAKE_BUILD_TYPE=Debug \
    -DBANDIX_BUILD_GUI=OFF -DBANDIX_BUILD_TESTS=ON -DBANDIX_BUILD_BENCH=OFF \
    -DGTest_DIR="$gtest_install/lib/cmake/GTest" >/dev/null
cmake --build "$build_dir"

# A prefix of our own, no display, no prompt to fetch Mono or Gecko (the tests use neither),
# and no menu builder, which would otherwise write desktop entries into $HOME.
export WINEPREFIX="$build_dir/wineprefix"
export WINEDEBUG=-all
export WINEDLLOVERRIDES="mscoree,mshtml=;winemenubuilder.exe=d"
unset DISPLAY WAYLAND_DISPLAY
trap '"$WINESERVER" -k 2>/dev/null || true' EXIT
if [ ! -f "$WINEPREFIX/system.reg" ]; then
    "$wine" wineboot --init >"$build_dir/wineboot.log" 2>&1
fi

passed=0
failed=0
for exe in "$build_dir"/bin/*.exe; do
    name=$(basename "$exe")
    if "$wine" "$exe" --gtest_brief=1 >"$build_dir/${name%.exe}.log" 2>&1; then
        echo "PASS $name"
        passed=$((passed + 1))
    else
        echo "FAIL $name"
        cat "$build_dir/${name%.exe}.log"
        failed=$((failed + 1))
    fi
done
if [ $((passed + failed)) -eq 0 ]; then
    echo "No test executable found in $build_dir/bin" >&2
    exit 1
fi
echo "Windows: $passed passed, $failed failed"
[ "$failed" -eq 0 ]
