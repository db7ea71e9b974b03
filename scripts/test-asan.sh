#!/usr/bin/env bash
# Builds and runs the whole suite under AddressSanitizer and UndefinedBehaviorSanitizer.
# Any report fails the run.
set -euo pipefail
cd "$(dirname "$0")/.."
source scripts/deps.sh
ensure_packages "${BUILD_PACKAGES[@]}" "${TEST_PACKAGES[@]}"

export ASAN_OPTIONS="detect_leaks=1:abort_on_error=1:strict_string_checks=1"
export UBSAN_OPTIONS="print_stacktrace=1:halt_on_error=1"
export LSAN_OPTIONS="suppressions=$PWD/.ci/lsan.supp:print_suppressions=0"
cmake --preset asan >/dev/null
cmake --build --preset asan
ctest --preset asan --parallel 2
