#!/usr/bin/env bash
# Builds the libFuzzer targets of the settings-file text and of pasted values and runs each on a
# scratch copy of its seed corpus; a crash, leak, timeout or broken invariant fails the run.
# Usage: scripts/fuzz.sh [seconds per target, default FUZZ_SECONDS or 60]
# Longer hunt: scripts/fuzz.sh 3600   (reproduce a find: build/fuzz/bin/<target> <artifact>)
set -euo pipefail
cd "$(dirname "$0")/.."
source scripts/deps.sh
ensure_packages clang libclang-rt-14-dev cmake ninja-build

seconds="${1:-${FUZZ_SECONDS:-60}}"
if ! [[ "$seconds" =~ ^[1-9][0-9]*$ ]]; then
    echo "fuzz.sh: seconds must be a positive whole number, got \"$seconds\"" >&2
    exit 2
fi
targets=(ParseIntegerFuzz ParseValueFuzz ReadIniFuzz WriteIniFuzz)
build=build/fuzz
artifacts="$PWD/$build/artifacts"

cmake --preset fuzz >/dev/null
cmake --build --preset fuzz

# New corpus entries go to a scratch directory so the committed seeds stay as they are.
work="$(mktemp -d)"
trap 'rm -rf "$work"' EXIT
mkdir -p "$artifacts"

failed=()
for target in "${targets[@]}"; do
    mkdir -p "$work/$target"
    cp fuzz/corpus/"$target"/* "$work/$target/"
    echo "== $target: $seconds s"
    if "$build/bin/$target" "$work/$target" -max_total_time="$seconds" -max_len=4096 \
        -timeout=5 -rss_limit_mb=2048 -print_final_stats=1 \
        -artifact_prefix="$artifacts/$target-" >"$work/$target.log" 2>&1; then
        grep -E '^#[0-9]+[[:space:]]+DONE' "$work/$target.log" || true
        grep -E 'stat::(number_of_executed_units|average_exec_per_sec)' "$work/$target.log" || true
    else
        tail -n 40 "$work/$target.log"
        echo "== $target FAILED: reproducer in $artifacts/" >&2
        failed+=("$target")
    fi
done

if [ ${#failed[@]} -ne 0 ]; then
    echo "Fuzzing failed: ${failed[*]}" >&2
    exit 1
fi
echo "Fuzzing passed: ${targets[*]}, $seconds s each"
