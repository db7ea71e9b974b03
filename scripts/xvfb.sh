# Sourced by the package tests, the start-up benchmarks and the screen reader's test session:
# starts an Xvfb of its own and exports DISPLAY for it, and stops it again.
# shellcheck shell=bash
# Usage: start_xvfb WORK_FOLDER || ...   (sets xvfb_pid; says on stderr why it failed)
start_xvfb() {
    local work=$1 display
    # Xvfb picks a free display itself and writes its number once it is ready, so this never
    # collides with another test's server; -noreset keeps it from restarting whenever its last
    # client (an xdotool look-up) leaves.
    Xvfb -displayfd 3 -noreset -screen 0 1280x1024x24 -nolisten tcp 3>"$work/display" \
        >"$work/Xvfb.log" 2>&1 &
    xvfb_pid=$!
    for _ in $(seq 200); do
        [ -s "$work/display" ] && break
        if ! kill -0 "$xvfb_pid" 2>/dev/null; then
            echo "Xvfb did not start: $(cat "$work/Xvfb.log")" >&2
            return 1
        fi
        sleep 0.05
    done
    display=$(head -n 1 "$work/display")
    if [ -z "$display" ]; then
        echo "Xvfb gave no display number within 10 s" >&2
        return 1
    fi
    export DISPLAY=":$display"
    if ! xdpyinfo >/dev/null 2>&1; then
        echo "cannot reach Xvfb on $DISPLAY" >&2
        return 1
    fi
}

# Stops the Xvfb that start_xvfb started, if any; for the callers' exit traps.
stop_xvfb() {
    if [ -n "${xvfb_pid:-}" ]; then
        kill "$xvfb_pid" 2>/dev/null || true
        wait "$xvfb_pid" 2>/dev/null || true
    fi
}
