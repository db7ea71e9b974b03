# Sourced by the other scripts: installs the Debian packages they need, only those missing.
# Usage: ensure_packages pkg...
# shellcheck shell=bash

ensure_packages() {
    local missing=()
    local pkg
    for pkg in "$@"; do
        if ! dpkg-query -W -f='${Status}' "$pkg" 2>/dev/null | grep -q 'install ok installed'; then
            missing+=("$pkg")
        fi
    done
    [ ${#missing[@]} -eq 0 ] && return 0
    echo "Installing ${missing[*]}"
    local sudo=""
    [ "$(id -u)" -ne 0 ] && sudo="sudo"
    export DEBIAN_FRONTEND=noninteractive
    if ! $sudo apt-get install -y --no-install-recommends "${missing[@]}"; then
        $sudo apt-get update
        $sudo apt-get install -y --no-install-recommends "${missing[@]}"
    fi
}

# What every build needs: compiler, CMake, Ninja, Qt 6 Widgets, GoogleTest, Google Benchmark,
# a font so the offscreen tests render text, Liberation Sans, which keeps the window's metrics
# where Segoe UI is missing, and Python, which writes the packages' third-party notices.
# shellcheck disable=SC2034 # for the scripts that source this one
BUILD_PACKAGES=(g++ cmake ninja-build qt6-base-dev qt6-base-dev-tools libgl-dev
                libgtest-dev libbenchmark-dev fonts-dejavu-core fonts-liberation2 python3)

# What the tests need beyond the build: a private X display (xdpyinfo checks it is up) and D-Bus
# session with the accessibility bus, and the screen reader's side of it.
# shellcheck disable=SC2034 # for the scripts that source this one
TEST_PACKAGES=(xvfb x11-utils dbus at-spi2-core python3-pyatspi)
