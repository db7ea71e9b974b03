#!/usr/bin/env bash
# Starts the real program under Xvfb, focuses a band list, opens another and saves screenshots.
# Usage: scripts/screenshot.sh [--windows] [scale...]   e.g. scripts/screenshot.sh --windows 1 1.5 2
# Without --windows: the Linux Release build, saved to build/screenshots/. With --windows:
# Bandix.exe from the Windows ZIP under Wine on Qt's windows platform, to build/screenshots/windows/.
set -euo pipefail
cd "$(dirname "$0")/.."
source scripts/deps.sh
source scripts/xvfb.sh
ensure_packages "${BUILD_PACKAGES[@]}" xvfb xauth xdotool imagemagick x11-utils unzip

out=build/screenshots
work=$(mktemp -d /tmp/bandix-screenshots.XXXXXX)
xvfb_pid=""
app=""
stop() {
    if [ -n "$app" ]; then kill "$app" 2>/dev/null || true; fi
    if [ -n "${WINESERVER:-}" ]; then "$WINESERVER" -k 2>/dev/null || true; fi
    if [ -n "$xvfb_pid" ]; then kill "$xvfb_pid" 2>/dev/null || true; fi
    wait 2>/dev/null || true
    app=""
    xvfb_pid=""
}
cleanup() {
    stop
    rm -rf "$work"
}
trap cleanup EXIT

if [ "${1:-}" = --windows ]; then
    shift
    source scripts/windows-env.sh
    archive=$(scripts/windows-package.sh)
    unzip -q "$archive" -d "$work"
    wine_prepare "$PWD/build/windows-mingw/wineprefix"
    program=("$WINELOADER" "$work"/Bandix-*/Bandix.exe)
    # Wine hands no QT_ variable to a Windows program, but renames WINEQT_x to QT_x.
    scale_variable=WINEQT_SCALE_FACTOR
    out="$out/windows"
else
    cmake --preset release >/dev/null
    cmake --build --preset release --target Bandix >/dev/null
    program=(build/release/bin/Bandix)
    scale_variable=QT_SCALE_FACTOR
fi
mkdir -p "$out"
scales=("$@")
[ ${#scales[@]} -eq 0 ] && scales=(1)

shoot() {
    local scale=$1 name=$2 window=""
    # A folder a run: start_xvfb reads the display number from a file of its folder.
    local run="$work/$name"
    mkdir -p "$run"
    start_xvfb "$run"
    env "$scale_variable=$scale" "${program[@]}" >"$run/program.log" 2>&1 &
    app=$!
    for _ in $(seq 300); do
        window=$(xdotool search --onlyvisible --name "Calculate Color on Resistor" 2>/dev/null |
            head -1) && [ -n "$window" ] && break
        sleep 0.1
    done
    [ -n "$window" ] || { cat "$run/program.log"; echo "no window at scale $scale" >&2; return 1; }
    sleep 1
    import -window root -trim +repage "$out/window-$name.png"
    # A click on the window's empty bottom takes the focus there without touching a control; Tab
    # then goes from the band count to the first band, Down twice makes it red.
    xdotool mousemove --window "$window" "$(awk -v s="$scale" 'BEGIN { print int(200 * s) }')" \
        "$(awk -v s="$scale" 'BEGIN { print int(430 * s) }')" click 1
    sleep 0.3
    xdotool key Tab Down Down
    sleep 0.4
    import -window root -trim +repage "$out/focused-list-$name.png"
    # On to the multiplier (second, third digit, multiplier), made red and opened.
    xdotool key Tab Tab Tab Down Down alt+Down
    sleep 0.6
    import -window root -trim +repage "$out/open-list-$name.png"
    stop
}

for scale in "${scales[@]}"; do
    shoot "$scale" "${scale/./_}x"
done
echo "Screenshots in $out:"
ls "$out"
