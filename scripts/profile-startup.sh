#!/usr/bin/env bash
# Instructions the program and both floors of bench-startup.sh run from start until idle with the
# window mapped, counted by callgrind under Xvfb. Unlike wall-clock times the counts repeat to
# within about 0.2 % however busy the machine is, so they measure one change at a time.
# Usage: scripts/profile-startup.sh [OUTPUT_FOLDER]   (default build/profile; the callgrind files
# stay there for callgrind_annotate).
set -euo pipefail
cd "$(dirname "$0")/.."
source scripts/deps.sh
source scripts/xvfb.sh
ensure_packages "${BUILD_PACKAGES[@]}" xvfb xauth x11-utils libx11-dev valgrind

output=$(realpath -m "${1:-build/profile}")
mkdir -p "$output"

cmake --preset release >/dev/null
cmake --build --preset release --target Bandix BareWindow LabelWindow StartupProbe >/dev/null
probe=build/release/bin/StartupProbe

work=$(mktemp -d)
xvfb_pid=""
cleanup() {
    stop_xvfb
    rm -rf "$work"
}
trap cleanup EXIT
cp build/release/bin/Bandix build/release/bin/BareWindow build/release/bin/LabelWindow "$work/"
mkdir -m 700 "$work/runtime"

start_xvfb "$work"

# Runs one program under callgrind until its window has been mapped for four seconds, then
# prints its instruction count.
count() {
    local file="$output/$2.callgrind"
    env -u QT_QPA_PLATFORM -u QT_SCALE_FACTOR XDG_RUNTIME_DIR="$work/runtime" \
        "$probe" "$1" 4000 /usr/bin/valgrind --tool=callgrind --callgrind-out-file="$file" \
        "$work/$2" >/dev/null 2>"$output/$2.log"
    awk '/^totals:/ { print $2 }' "$file"
}

bandix=$(count "Calculate Color on Resistor" Bandix)
bare=$(count "Bare Window" BareWindow)
label=$(count "Label Window" LabelWindow)
awk -v b="$bandix" -v e="$bare" -v l="$label" 'BEGIN {
    printf "Instructions until idle: Bandix %.2f M, bare window %.2f M, label window %.2f M\n",
           b / 1e6, e / 1e6, l / 1e6
    printf "Bandix to the bare window %.2f, to the label window %.2f\n", b / e, b / l }'
echo "Profiles: $output/*.callgrind (callgrind_annotate --inclusive=yes FILE)"
