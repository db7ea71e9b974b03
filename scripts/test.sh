#!/usr/bin/env bash
# Installs what is missing, builds the debug configuration and runs every test through ctest.
set -euo pipefail
cd "$(dirname "$0")/.."
source scripts/deps.sh
ensure_packages "${BUILD_PACKAGES[@]}" "${TEST_PACKAGES[@]}"

cmake --preset dev >/dev/null
cmake --build --preset dev
ctest --preset dev --parallel 2
