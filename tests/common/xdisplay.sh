# Sourced by the tests that need a private X server and session: `work` is their scratch folder.
# Defines start_display (an Xvfb on a display it picks itself, answering before it returns; the
# screen's size from XVFB_SCREEN, 1280x1024x24 unless set) and stop_display, and ends everything
# they started, the session's process group included, when the script exits.

xvfb_pid='' session_group=''

start_display() {
    : >"$work/display"
    exec 3>"$work/display"
    Xvfb -displayfd 3 -screen 0 "${XVFB_SCREEN:-1280x1024x24}" -nolisten tcp >"$work/xvfb.log" 2>&1 &
    xvfb_pid=$!
    exec 3>&-
    for _ in $(seq 100); do
        [ -s "$work/display" ] && break
        sleep 0.05
    done
    [ -s "$work/display" ] || return 1
    DISPLAY=":$(cat "$work/display")"
    export DISPLAY
    for _ in $(seq 50); do
        xdpyinfo >/dev/null 2>&1 && return 0
        sleep 0.1
    done
    return 1
}

stop_display() {
    [ -n "$xvfb_pid" ] && kill "$xvfb_pid" 2>/dev/null
    wait "$xvfb_pid" 2>/dev/null
    xvfb_pid=''
}

# The buses' own helpers may outlive the session: the whole group goes. ON_CLEANUP, when set, runs
# first, with the scratch folder still there.
cleanup() {
    [ -n "$session_group" ] && kill -- "-$session_group" 2>/dev/null
    [ -n "$xvfb_pid" ] && kill "$xvfb_pid" 2>/dev/null
    wait 2>/dev/null
    [ -n "${ON_CLEANUP:-}" ] && eval "$ON_CLEANUP"
    rm -rf "$work"
}
trap cleanup EXIT
trap 'exit 1' INT TERM
