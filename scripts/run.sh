#!/usr/bin/env bash
# Installs what is missing, builds the Release program and starts it.
set -euo pipefail
cd "$(dirname "$0")/.."
source scripts/deps.sh
ensure_packages "${BUILD_PACKAGES[@]}"

cmake --preset release >/dev/null
cmake --build --preset release --target Bandix

program=build/release/bin/Bandix
if [ "$(uname)" = Linux ] && [ -z "${DISPLAY:-}${WAYLAND_DISPLAY:-}${QT_QPA_PLATFORM:-}" ]; then
    echo "No display to open the window on; run it under Xvfb instead: xvfb-run -a $program" >&2
    exit 1
fi
exec "$program"
