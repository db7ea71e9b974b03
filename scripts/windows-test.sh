#!/usr/bin/env bash
# Builds Bandix and every test as 64-bit Windows executables (MinGW-w64 against the cached Qt
# for Windows) and has ctest run the tests under Wine, on the offscreen platform.
# Usage: scripts/windows-test.sh   (build tree: build/windows-mingw, reused on the next run)
set -euo pipefail
cd "$(dirname "$0")/.."
source scripts/windows-env.sh
windows_prepare

cmake --preset windows-mingw >/dev/null
cmake --build --preset windows-mingw
wine_prepare "$PWD/build/windows-mingw/wineprefix"
trap '"$WINESERVER" -k 2>/dev/null || true' EXIT
# The tests draw offscreen; a display would only let Wine open windows on it.
unset DISPLAY WAYLAND_DISPLAY
# One server for the whole run: tests starting together, or just as the last one's server
# winds down, could otherwise race to start their own and lose the connection
# ("wine client error: recvmsg: Connection reset by peer"). The first Wine program starts the
# prefix's services, which live as long as the server and keep that program's output open; so
# it is wineboot, not a test, or ctest would wait on those services for ever.
"$WINESERVER" -p
"$WINELOADER" wineboot </dev/null >/dev/null 2>&1
status=0
ctest --preset windows-mingw --parallel 2 || status=$?
# What could not run as Windows code, and why.
grep -h '^SKIP' build/windows-mingw/test-logs/*.txt 2>/dev/null || true
exit "$status"
