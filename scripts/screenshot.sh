#!/usr/bin/env bash
# Starts the real program under Xvfb, opens a band list and saves screenshots to build/screenshots/.
# Usage: scripts/screenshot.sh [scale...]   e.g. scripts/screenshot.sh 1 1.5 2
# SCREENSHOT_DISPLAY picks the X display number Xvfb takes (97 unless set).
set -euo pipefail
cd "$(dirname "$0")/.."
source scripts/deps.sh
ensure_packages "${BUILD_PACKAGES[@]}" xvfb xauth xdotool imagemagick x11-utils

cmake --preset release >/dev/null
cmake --build --preset release --target Bandix >/dev/null
out=build/screenshots
mkdir -p "$out"
display=${SCREENSHOT_DISPLAY:-97}
scales=("$@")
[ ${#scales[@]} -eq 0 ] && scales=(1)

shoot() {
    local scale=$1 name=$2
    Xvfb ":$display" -screen 0 1400x1200x24 -nolisten tcp &
    local xvfb=$!
    trap 'kill $xvfb 2>/dev/null' RETURN
    export DISPLAY=":$display"
    for _ in $(seq 100); do xdpyinfo >/dev/null 2>&1 && break; sleep 0.1; done
    QT_SCALE_FACTOR=$scale build/release/bin/Bandix &
    local app=$!
    local window=""
    for _ in $(seq 100); do
        window=$(xdotool search --onlyvisible --name "Calculate Color on Resistor" 2>/dev/null | head -1) && [ -n "$window" ] && break
        sleep 0.05
    done
    sleep 0.3
    import -window root "$out/window-$name.png"
    # Open the multiplier list: Tab to it (band count, first, second, third digit, multiplier).
    xdotool windowactivate --sync "$window" 2>/dev/null || true
    xdotool key --window "$window" Tab Tab Tab Tab Tab Down Down alt+Down
    sleep 0.4
    import -window root "$out/open-list-$name.png"
    kill $app
    wait $app 2>/dev/null || true
}

for scale in "${scales[@]}"; do
    shoot "$scale" "${scale/./_}x"
done
echo "Screenshots in $out:"
ls "$out"
