#!/usr/bin/env bash
# Runs a command as on a Linux desktop with a screen reader: its own X display (xcb), its own
# D-Bus session, the accessibility bus and registry already up, Qt's bridge switched on.
# Usage: tests/atspi-session.sh command [argument...]
set -euo pipefail
# shellcheck source=scripts/xvfb.sh
source "$(dirname "$0")/../scripts/xvfb.sh"
# Under AddressSanitizer: libxkbcommon-x11 reads the X server's keymap names with strndup() from
# buffers that hold no terminating NUL, which strict string checks report as an overflow.
if [ -n "${ASAN_OPTIONS:-}" ]; then
    export ASAN_OPTIONS="$ASAN_OPTIONS:strict_string_checks=0"
fi
work=$(mktemp -d)
xvfb_pid=""
cleanup() {
    stop_xvfb
    rm -rf "$work"
}
trap cleanup EXIT
# The server picks its own display number, so sessions started at once never share one.
start_xvfb "$work"
dbus-run-session -- sh -c '
    dbus-send --session --print-reply --dest=org.a11y.Bus /org/a11y/bus \
        org.a11y.Bus.GetAddress >/dev/null
    QT_QPA_PLATFORM=xcb QT_LINUX_ACCESSIBILITY_ALWAYS_ON=1 exec "$@"' sh "$@"
