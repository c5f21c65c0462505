#!/bin/bash
# A restless learner on a real X server: runs the real program under Xvfb and clicks at random
# places of its window for a while, then checks that the program is still alive, still answers
# (its "お　わ　る" button ends it with exit code 0 within a few seconds) and never showed an error
# box. The full-tank message is the one box the program may show: it is dismissed with Return
# whenever it appears.
#
#   tests/storm/xclick.sh PATH/TO/ichijikansu [SECONDS] [SEED]     (default 60 seconds)
#
# Needs Xvfb, xdotool and xdpyinfo (Debian packages xvfb, xdotool, x11-utils).
# Exit code 0 when every check passed, 1 when one failed, 2 when it could not run.

set -u

program=${1:?usage: xclick.sh PATH/TO/ichijikansu [SECONDS] [SEED]}
duration=${2:-60}
RANDOM=${3:-$$}

main_title='一次関数'
box_title='ichijikansu'  # the application title: the caption of the program's message boxes

# Window points of the layout that matter here.
owari_x=428 owari_y=16             # centre of "お　わ　る", which ends the program
mizudasu_x=76 mizudasu_y=16        # centre of "水を入れる"

for tool in Xvfb xdotool xdpyinfo; do
    command -v "$tool" >/dev/null || { echo "xclick: $tool is missing" >&2; exit 2; }
done
[ -x "$program" ] || { echo "xclick: $program is not an executable" >&2; exit 2; }

work=$(mktemp -d /tmp/xclick.XXXXXX)
xvfb_pid='' program_pid=''
cleanup() {
    [ -n "$program_pid" ] && kill "$program_pid" 2>/dev/null
    [ -n "$xvfb_pid" ] && kill "$xvfb_pid" 2>/dev/null
    wait 2>/dev/null
    rm -rf "$work"
}
trap cleanup EXIT

# A free display: :99 if nobody holds it, else the next free one.
display=99
while [ -e "/tmp/.X11-unix/X$display" ] || [ -e "/tmp/.X$display-lock" ]; do
    display=$((display + 1))
done
Xvfb ":$display" -screen 0 1280x1024x24 -nolisten tcp >"$work/xvfb.log" 2>&1 &
xvfb_pid=$!
export DISPLAY=":$display"
for _ in $(seq 50); do
    xdpyinfo >/dev/null 2>&1 && break
    sleep 0.1
done
xdpyinfo >/dev/null 2>&1 || { echo "xclick: Xvfb did not start on $DISPLAY" >&2; cat "$work/xvfb.log" >&2; exit 2; }

unset QT_QPA_PLATFORM
"$program" >"$work/program.out" 2>"$work/program.err" &
program_pid=$!

main_window=''
for _ in $(seq 100); do
    main_window=$(xdotool search --onlyvisible --name "^$main_title\$" 2>/dev/null | head -n 1)
    [ -n "$main_window" ] && break
    sleep 0.1
done
if [ -z "$main_window" ]; then
    echo "xclick: no window named $main_title appeared" >&2
    cat "$work/program.err" >&2
    exit 1
fi
eval "$(xdotool getwindowgeometry --shell "$main_window")"
width=$WIDTH height=$HEIGHT
echo "xclick: $program as pid $program_pid on $DISPLAY, window $main_window at $X,$Y size ${width}x$height"

failures=0
fail() {
    echo "xclick: FAIL: $*"
    failures=$((failures + 1))
}

# Every visible top-level window of the program but the main window: message boxes.
other_windows() {
    xdotool search --onlyvisible --pid "$program_pid" 2>/dev/null | grep -vx "$main_window"
}

# The size of the full-tank message, learnt from the first one (below); a box of the same title
# but another size is an error box, since those carry the application title as well.
full_tank_size=''
boxes_dismissed=0
error_boxes=0
dismiss_boxes() {
    local box name size
    for box in $(other_windows); do
        name=$(xdotool getwindowname "$box" 2>/dev/null) || continue
        eval "$(xdotool getwindowgeometry --shell "$box")"
        size="${WIDTH}x$HEIGHT"
        if [ "$name" != "$box_title" ]; then
            fail "a window '$name' ($size) appeared"
            error_boxes=$((error_boxes + 1))
        elif [ -z "$full_tank_size" ]; then
            full_tank_size=$size
        elif [ "$size" != "$full_tank_size" ]; then
            fail "a box titled '$name' of size $size, unlike the full-tank message ($full_tank_size): an error box"
            error_boxes=$((error_boxes + 1))
        fi
        # Without a window manager nobody gives the box the focus; Return then presses its button.
        xdotool windowfocus --sync "$box" 2>/dev/null
        xdotool key --clearmodifiers Return 2>/dev/null
        boxes_dismissed=$((boxes_dismissed + 1))
        for _ in $(seq 20); do
            xdotool search --onlyvisible --pid "$program_pid" 2>/dev/null | grep -qx "$box" || break
            sleep 0.05
        done
        if xdotool search --onlyvisible --pid "$program_pid" 2>/dev/null | grep -qx "$box"; then
            fail "the box '$name' did not close on Return"
            xdotool windowunmap "$box" 2>/dev/null
        fi
    done
}

click_at() {
    xdotool mousemove --window "$main_window" "$1" "$2" click "${3:-1}" 2>/dev/null
}

# First a full tank at the starting choices (1 per 1 from empty: about 600 ticks of 20 ms), so
# the full-tank message is known before random clicks can bring up anything else.
click_at "$mizudasu_x" "$mizudasu_y"
for _ in $(seq 300); do
    [ -n "$(other_windows)" ] && break
    sleep 0.1
done
if [ -z "$(other_windows)" ]; then
    fail "no full-tank message within 30 s of starting the water"
else
    dismiss_boxes
    echo "xclick: the full-tank message is $full_tank_size"
fi

# Random clicks: mostly on the strip of controls at the top, some anywhere in the window; never
# on "お　わ　る", which would end the lesson. Now and then a burst of fast clicks on one spot (the
# impatient start button) or a turn of the mouse wheel (the lists). Several clicks go to one
# xdotool call: each call costs a round trip to the X server.
clicks=0
start=$SECONDS
while [ $((SECONDS - start)) -lt "$duration" ]; do
    chain=()
    for _ in $(seq $((1 + RANDOM % 6))); do
        if [ $((RANDOM % 10)) -lt 7 ]; then
            x=$((RANDOM % width)) y=$((RANDOM % 160))
        else
            x=$((RANDOM % width)) y=$((RANDOM % height))
        fi
        if [ "$x" -ge 376 ] && [ "$x" -lt 481 ] && [ "$y" -lt 33 ]; then
            continue
        fi
        case $((RANDOM % 20)) in
        0) chain+=(mousemove --window "$main_window" "$x" "$y" click --repeat 4 --delay 15 1); clicks=$((clicks + 4)) ;;
        1) chain+=(mousemove --window "$main_window" "$x" "$y" click $((4 + RANDOM % 2))); clicks=$((clicks + 1)) ;;
        *) chain+=(mousemove --window "$main_window" "$x" "$y" click 1); clicks=$((clicks + 1)) ;;
        esac
    done
    [ ${#chain[@]} -gt 0 ] && xdotool "${chain[@]}" 2>/dev/null
    if ! kill -0 "$program_pid" 2>/dev/null; then
        fail "the program died during the clicks"
        break
    fi
    dismiss_boxes
    sleep "0.0$((RANDOM % 5))"
done
dismiss_boxes
echo "xclick: $clicks clicks in $((SECONDS - start)) s, $boxes_dismissed message boxes dismissed, $error_boxes error boxes"

# Still alive, and still answering: "お　わ　る" must end it, with exit code 0.
if kill -0 "$program_pid" 2>/dev/null; then
    found=$(xdotool search --onlyvisible --name "^$main_title\$" 2>/dev/null | head -n 1)
    [ "$found" = "$main_window" ] || fail "the window named $main_title is gone"
    click_at "$owari_x" "$owari_y"
    for _ in $(seq 50); do
        kill -0 "$program_pid" 2>/dev/null || break
        sleep 0.1
    done
    if kill -0 "$program_pid" 2>/dev/null; then
        fail "the program did not end within 5 s of a click on お　わ　る: not responsive"
    else
        wait "$program_pid"
        status=$?
        program_pid=''
        [ "$status" -eq 0 ] || fail "the program ended with exit code $status"
        echo "xclick: お　わ　る ended the program with exit code $status"
    fi
else
    wait "$program_pid"
    fail "the program is not running at the end (exit code $?)"
    program_pid=''
fi

if [ -s "$work/program.err" ]; then
    echo "xclick: the program wrote to standard error:"
    sed 's/^/    /' "$work/program.err" | head -n 20
fi
if [ "$failures" -eq 0 ]; then
    echo "xclick: PASS"
    exit 0
fi
echo "xclick: $failures checks FAILED"
exit 1
