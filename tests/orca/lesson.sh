#!/bin/bash
# The lesson, inside the session bus: a window manager, Orca with its debug log on a terminal (its
# log file is block-buffered), the program, and the learner's keys. A key can come late when the
# accessibility bus is slow to answer, so every move to a control is checked against what Orca
# said and repeated until Orca names that control.
set -u
work=$ORCA_WORK
log=$work/orca.log
openbox >/dev/null 2>&1 &
script -q -f -c "orca --replace -u $work/settings --debug-file /dev/tty" "$log" >/dev/null 2>&1 &
for _ in $(seq 100); do grep -aq "Screen reader on" "$log" 2>/dev/null && break; sleep 0.1; done
if [ "$ORCA_FRONT" = page ]; then
    # A browser of its own: a fresh profile that offers no translation (its bubble would take Tab
    # stops), the page exposed to the accessibility bus from the start.
    mkdir -p "$work/chromium/Default"
    echo '{"translate": {"enabled": false}}' >"$work/chromium/Default/Preferences"
    chromium --no-sandbox --disable-gpu --force-renderer-accessibility --disable-features=Translate,TranslateUI \
        --user-data-dir="$work/chromium" --no-first-run --window-position=0,0 --window-size=1024,768 \
        --app="file://$ORCA_PROGRAM" >"$work/program.log" 2>&1 &
else
    "$ORCA_PROGRAM" >"$work/program.log" 2>&1 &
fi
program=$!
# Ready when Orca has read the window's first control, or summed up the loaded page (it reads no
# control there until a key is pressed).
ready="SPEECH OUTPUT: '水を入れる"
[ "$ORCA_FRONT" = page ] && ready="SPEECH OUTPUT: 'Page has"
for _ in $(seq 300); do grep -aq "$ready" "$log" 2>/dev/null && break; sleep 0.1; done

said() { grep -ac "SPEECH OUTPUT:" "$log"; }
press() {
    xdotool key --clearmodifiers "$1"
    sleep 1.2
}
# Presses KEY (Tab or shift+Tab) until Orca names the control whose speech begins with WHAT.
move() {
    local key=$1 what=$2
    for _ in $(seq 20); do
        local before
        before=$(said)
        press "$key"
        grep -a "SPEECH OUTPUT:" "$log" | tail -n +"$((before + 1))" | grep -aq "SPEECH OUTPUT: '$what" && return 0
    done
    echo "lesson: never reached $what"
    return 1
}
wait_for() {
    for _ in $(seq 200); do grep -aq "$1" "$log" && return 0; sleep 0.1; done
    return 1
}

# 時間 5: one unit of water every 2.5 s, slow enough to move about by Tab.
move Tab '時間[. ]' && press End
move shift+Tab 水を入れる && press space
sleep 3
move Tab 経過時間                          # read by Tab, past the lists
move Tab '→ 記録する →' && press space
move shift+Tab 水を止める && press space
move Tab はじめから && press space
# Amount 5 at time step 1: the tank is full some 3 s after the start.
move Tab '当たりの水の量' && press End
move shift+Tab 水を入れる && press space
wait_for だれじゃ
sleep 1.5
press Return                               # the message's OK
sleep 1.5
kill "$program" 2>/dev/null
pkill -f "user-data-dir=$work/chromium" 2>/dev/null
pkill -f "orca --replace" 2>/dev/null
sleep 0.5
exit 0
