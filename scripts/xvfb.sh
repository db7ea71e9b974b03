# Sourced by the package tests: starts an Xvfb of its own and exports DISPLAY for it.
# shellcheck shell=bash
# Usage: start_xvfb WORK_FOLDER   (sets xvfb_pid; calls the caller's fail when Xvfb cannot start)
start_xvfb() {
    local work=$1 display
    # Xvfb picks a free display itself and writes its number once it is ready, so this never
    # collides with another test's server; -noreset keeps it from restarting whenever its last
    # client (an xdotool look-up) leaves.
    Xvfb -displayfd 3 -noreset -screen 0 1024x768x24 -nolisten tcp 3>"$work/display" \
        >"$work/Xvfb.log" 2>&1 &
    xvfb_pid=$!
    for _ in $(seq 200); do
        [ -s "$work/display" ] && break
        kill -0 "$xvfb_pid" 2>/dev/null || fail "Xvfb did not start: $(cat "$work/Xvfb.log")"
        sleep 0.05
    done
    display=$(head -n 1 "$work/display")
    [ -n "$display" ] || fail "Xvfb gave no display number within 10 s"
    export DISPLAY=":$display"
    xdotool getdisplaygeometry >/dev/null || fail "cannot reach Xvfb on $DISPLAY"
}
