#!/usr/bin/env bash
# Start-up time and resident memory of the real program against two floors under Xvfb: a bare Qt
# window and the same window holding one label.
# Usage: scripts/bench-startup.sh [--windows [--against ZIP]] [ROUNDS]
#   (default 15 rounds after one warm-up round)
# --windows: the Windows builds of all three (the ZIP's Bandix.exe, and the floors built with the
# same Qt for Windows), each started under Wine. Wine's own start is in every figure, so only the
# ratios mean much.
# --against ZIP: also starts, in every round, the Bandix.exe of another Windows ZIP (an earlier
# build, say) from its own unpacked folder, and gives the program's ratio to it.
# Environment: BENCH_IDLE_MS (wait before reading memory, default 300).
# shellcheck disable=SC2016 # the single-quoted $1… are awk's columns
set -euo pipefail
cd "$(dirname "$0")/.."
source scripts/deps.sh
source scripts/xvfb.sh
ensure_packages "${BUILD_PACKAGES[@]}" xvfb xauth x11-utils libx11-dev

windows=false
baseline_zip=""
if [ "${1:-}" = --windows ]; then
    windows=true
    shift
    if [ "${1:-}" = --against ]; then
        baseline_zip=$(realpath "$2")
        shift 2
    fi
fi
rounds=${1:-15}
idle_ms=${BENCH_IDLE_MS:-300}
program_title="Calculate Color on Resistor"
bare_title="Bare Window"
label_title="Label Window"

cmake --preset release >/dev/null
cmake --build --preset release --target Bandix BareWindow LabelWindow StartupProbe >/dev/null
probe=build/release/bin/StartupProbe
launcher=()
suffix=""

# All three run from a fresh folder of their own: a Bandix.ini left beside build/release/bin/Bandix
# by someone who picked a language would otherwise start the program in Danish, and the binaries
# come from the same disk and page cache.
work=$(mktemp -d)
xvfb_pid=""
cleanup() {
    stop_xvfb
    rm -rf "$work"
}
trap cleanup EXIT
if $windows; then
    source scripts/windows-env.sh
    archive=$(scripts/windows-package.sh 2>/dev/null)
    cmake --build --preset windows-mingw --target BareWindow LabelWindow >/dev/null
    # The floors run from the folder of the unpacked ZIP too.
    unzip -q "$archive" -d "$work/zip"
    mv "$work"/zip/*/* "$work/"
    if [ -n "$baseline_zip" ]; then
        unzip -q "$baseline_zip" -d "$work/baseline-zip"
        mv "$work"/baseline-zip/* "$work/baseline"
    fi
    cp build/windows-mingw/bin/BareWindow.exe build/windows-mingw/bin/LabelWindow.exe "$work/"
    wine_prepare "$PWD/build/windows-mingw/wineprefix"
    # One Wine server for every run, as on a desktop where Wine is already up.
    "$WINESERVER" -p >/dev/null 2>&1
    trap '"$WINESERVER" -k 2>/dev/null || true; cleanup' EXIT
    launcher=("$WINELOADER")
    suffix=.exe
else
    cp build/release/bin/Bandix build/release/bin/BareWindow build/release/bin/LabelWindow "$work/"
fi
mkdir -m 700 "$work/runtime"

start_xvfb "$work"

# Prints "MILLISECONDS RSS_KIB CPU_MILLISECONDS" for one start of the program with the given title.
measure() {
    env -u QT_QPA_PLATFORM -u QT_SCALE_FACTOR XDG_RUNTIME_DIR="$work/runtime" \
        "$probe" "$1" "$idle_ms" "${launcher[@]}" "$work/$2$suffix"
}

# The median of the numbers on standard input, printed with the printf format $1.
median() {
    sort -g | awk -v format="$1\n" '{ v[NR] = $1 }
        END { printf format, NR % 2 ? v[(NR + 1) / 2] : (v[NR / 2] + v[NR / 2 + 1]) / 2 }'
}

# The first round fills the page cache and the font cache; it is not counted.
measure "$program_title" Bandix >/dev/null
measure "$bare_title" BareWindow >/dev/null
measure "$label_title" LabelWindow >/dev/null
programs=3
if [ -n "$baseline_zip" ]; then
    measure "$program_title" baseline/Bandix >/dev/null
    programs=4
fi

# Each round starts the program and both floors (with --against, the other ZIP's program too), so
# all see the same load, and the round after starts with the next of them, so that whatever going
# first costs is spread over all. The ratios are the program's to the bare window and to the window with one label, which
# the targets are set against: every window with text pays what that one pays.
echo "Start until the window is mapped, VmRSS after ${idle_ms} ms idle, CPU time used;" \
    "$rounds rounds"
echo "(load average before: $(cut -d' ' -f1-3 /proc/loadavg); other work skews the times)"
printf '%5s  %9s %6s %6s  %7s %6s %6s  %7s %6s %6s  %-14s  %-14s\n' round "Bandix ms" KiB CPUms \
    "Bare ms" KiB CPUms "Label ms" KiB CPUms "/bare time mem" "/label time mem"
: >"$work/runs"
for round in $(seq "$rounds"); do
    for turn in $(seq 0 $((programs - 1))); do
        case $(((round + turn) % programs)) in
        0) read -r program_ms program_kib program_cpu < <(measure "$program_title" Bandix) ;;
        1) read -r bare_ms bare_kib bare_cpu < <(measure "$bare_title" BareWindow) ;;
        2) read -r label_ms label_kib label_cpu < <(measure "$label_title" LabelWindow) ;;
        3) read -r baseline_ms baseline_kib baseline_cpu < <(measure "$program_title" baseline/Bandix) ;;
        esac
    done
    line="$program_ms $program_kib $program_cpu $bare_ms $bare_kib $bare_cpu"
    line="$line $label_ms $label_kib $label_cpu"
    [ "$programs" -eq 4 ] && line="$line $baseline_ms $baseline_kib $baseline_cpu"
    echo "$line" >>"$work/runs"
    echo "$round $line" | awk '{
        printf "%5d  %9.1f %6d %6.1f  %7.1f %6d %6.1f  %7.1f %6d %6.1f  %6.2f %6.2f   %6.2f %6.2f\n",
               $1, $2, $3, $4, $5, $6, $7, $8, $9, $10, $2 / $5, $3 / $6, $2 / $8, $3 / $9 }'
done

column_median() { awk "{ print $1 }" "$work/runs" | median "${2:-%.1f}"; }
verdict() { awk -v r="$1" -v t="$2" 'BEGIN { print (r <= t ? "met" : "MISSED") }'; }
time_ratio=$(column_median '$1 / $7' %.2f)
memory_ratio=$(column_median '$2 / $8' %.2f)

echo "Median Bandix:       $(column_median '$1') ms, $(column_median '$2' %.0f) KiB," \
    "CPU $(column_median '$3') ms"
echo "Median bare window:  $(column_median '$4') ms, $(column_median '$5' %.0f) KiB," \
    "CPU $(column_median '$6') ms"
echo "Median label window: $(column_median '$7') ms, $(column_median '$8' %.0f) KiB," \
    "CPU $(column_median '$9') ms"
echo "Median per-round ratio to the bare window, start-up: $(column_median '$1 / $4' %.2f)," \
    "memory: $(column_median '$2 / $5' %.2f), CPU time: $(column_median '$3 / $6' %.2f)"
echo "Median per-round ratio to the label window, start-up: $time_ratio" \
    "(target <= 1.05: $(verdict "$time_ratio" 1.05))"
echo "Median per-round ratio to the label window, memory:   $memory_ratio" \
    "(target <= 1.05: $(verdict "$memory_ratio" 1.05))"
echo "Median per-round ratio to the label window, CPU time: $(column_median '$3 / $9' %.2f)"
if [ -n "$baseline_zip" ]; then
    echo "Median Bandix from $(basename "$baseline_zip"): $(column_median '$10') ms," \
        "$(column_median '$11' %.0f) KiB, CPU $(column_median '$12') ms"
    echo "Median per-round ratio to it, start-up: $(column_median '$1 / $10' %.2f)," \
        "memory: $(column_median '$2 / $11' %.2f), CPU time: $(column_median '$3 / $12' %.2f)"
fi
