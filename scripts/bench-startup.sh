#!/usr/bin/env bash
# Start-up time and resident memory of the real program against a bare Qt window, under Xvfb.
# Usage: scripts/bench-startup.sh [PAIRS]   (default 15 pairs after one warm-up pair)
# Environment: BENCH_DISPLAY (default :94), BENCH_IDLE_MS (wait before reading memory, default 300).
set -euo pipefail
cd "$(dirname "$0")/.."
source scripts/deps.sh
ensure_packages "${BUILD_PACKAGES[@]}" xvfb xauth x11-utils libx11-dev

pairs=${1:-15}
display=${BENCH_DISPLAY:-:94}
idle_ms=${BENCH_IDLE_MS:-300}
program_title="Calculate Color on Resistor"
bare_title="Bare Window"

cmake --preset release >/dev/null
cmake --build --preset release --target Bandix BareWindow StartupProbe >/dev/null
probe=build/release/bin/StartupProbe

# Both run from a fresh folder of their own: a Bandix.ini left beside build/release/bin/Bandix by
# someone who picked a language would otherwise start the program in Danish, and both binaries
# come from the same disk and page cache.
work=$(mktemp -d)
xvfb=""
cleanup() {
    if [ -n "$xvfb" ]; then
        kill "$xvfb" 2>/dev/null || true
        wait "$xvfb" 2>/dev/null || true
    fi
    rm -rf "$work"
}
trap cleanup EXIT
cp build/release/bin/Bandix build/release/bin/BareWindow "$work/"
mkdir -m 700 "$work/runtime"

Xvfb "$display" -screen 0 1280x1024x24 -nolisten tcp >"$work/xvfb.log" 2>&1 &
xvfb=$!
for _ in $(seq 100); do
    xdpyinfo -display "$display" >/dev/null 2>&1 && break
    sleep 0.05
done
xdpyinfo -display "$display" >/dev/null 2>&1 || { cat "$work/xvfb.log" >&2; exit 1; }

# Prints "MILLISECONDS RSS_KIB CPU_MILLISECONDS" for one start of the program with the given title.
measure() {
    env -u QT_QPA_PLATFORM -u QT_SCALE_FACTOR DISPLAY="$display" XDG_RUNTIME_DIR="$work/runtime" \
        "$probe" "$1" "$idle_ms" "$work/$2"
}

# The median of the numbers on standard input, printed with the printf format $1.
median() {
    sort -g | awk -v format="$1\n" '{ v[NR] = $1 }
        END { printf format, NR % 2 ? v[(NR + 1) / 2] : (v[NR / 2] + v[NR / 2 + 1]) / 2 }'
}

# The first pair fills the page cache and the font cache; it is not counted.
measure "$program_title" Bandix >/dev/null
measure "$bare_title" BareWindow >/dev/null

echo "Start until the window is mapped, VmRSS after ${idle_ms} ms idle, CPU time used; $pairs pairs"
echo "(load average before: $(cut -d' ' -f1-3 /proc/loadavg); other work skews the times)"
printf '%4s  %9s %7s %7s  %9s %7s %7s  %5s %5s %5s\n' pair "Bandix ms" KiB "CPU ms" "Bare ms" KiB \
    "CPU ms" time mem cpu
: >"$work/runs"
for pair in $(seq "$pairs"); do
    read -r program_ms program_kib program_cpu < <(measure "$program_title" Bandix)
    read -r bare_ms bare_kib bare_cpu < <(measure "$bare_title" BareWindow)
    echo "$program_ms $program_kib $program_cpu $bare_ms $bare_kib $bare_cpu" >>"$work/runs"
    echo "$pair $program_ms $program_kib $program_cpu $bare_ms $bare_kib $bare_cpu" |
        awk '{ printf "%4d  %9.1f %7d %7.1f  %9.1f %7d %7.1f  %5.2f %5.2f %5.2f\n",
                      $1, $2, $3, $4, $5, $6, $7, $2 / $5, $3 / $6, $4 / $7 }'
done

column_median() { awk "{ print $1 }" "$work/runs" | median "${2:-%.1f}"; }
verdict() { awk -v r="$1" -v t="$2" 'BEGIN { print (r <= t ? "met" : "MISSED") }'; }
time_ratio=$(column_median '$1 / $4' %.2f)
memory_ratio=$(column_median '$2 / $5' %.2f)

echo "Median Bandix:      $(column_median '$1') ms, $(column_median '$2' %.0f) KiB," \
    "CPU $(column_median '$3') ms"
echo "Median bare window: $(column_median '$4') ms, $(column_median '$5' %.0f) KiB," \
    "CPU $(column_median '$6') ms"
echo "Median per-pair ratio, start-up: $time_ratio (target <= 1.20: $(verdict "$time_ratio" 1.20))"
echo "Median per-pair ratio, memory:   $memory_ratio (target <= 1.15: $(verdict "$memory_ratio" 1.15))"
echo "Median per-pair ratio, CPU time: $(column_median '$3 / $6' %.2f)"
