#!/bin/sh
# Runs a command as on a Linux desktop with a screen reader: its own X display (xcb), its own
# D-Bus session, the accessibility bus and registry already up, Qt's bridge switched on.
# Usage: tests/atspi-session.sh command [argument...]
set -eu
# Under AddressSanitizer: libxkbcommon-x11 reads the X server's keymap names with strndup() from
# buffers that hold no terminating NUL, which strict string checks report as an overflow.
if [ -n "${ASAN_OPTIONS:-}" ]; then
    export ASAN_OPTIONS="$ASAN_OPTIONS:strict_string_checks=0"
fi
exec xvfb-run -a -n 110 -s "-screen 0 1280x1024x24 -nolisten tcp" \
    dbus-run-session -- sh -c '
        dbus-send --session --print-reply --dest=org.a11y.Bus /org/a11y/bus \
            org.a11y.Bus.GetAddress >/dev/null
        QT_QPA_PLATFORM=xcb QT_LINUX_ACCESSIBILITY_ALWAYS_ON=1 exec "$@"' sh "$@"
