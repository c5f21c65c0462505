#!/bin/bash
# The lesson, inside the session bus: a window manager, Orca with its debug log on a terminal (its
# log file is block-buffered), the program, and the learner's keys, about 1.3 s apart so that Orca
# has spoken each before the next.
set -u
work=$ORCA_WORK
openbox >/dev/null 2>&1 &
script -q -f -c "orca --replace -u $work/settings --debug-file /dev/tty" "$work/orca.log" >/dev/null 2>&1 &
for _ in $(seq 100); do grep -aq "Screen reader on" "$work/orca.log" 2>/dev/null && break; sleep 0.1; done
"$ORCA_PROGRAM" >"$work/program.log" 2>&1 &
program=$!
for _ in $(seq 100); do grep -aq "SPEECH OUTPUT: '水を入れる" "$work/orca.log" 2>/dev/null && break; sleep 0.1; done
k() {
    for key in "$@"; do
        xdotool key --clearmodifiers "$key"
        sleep 1.3
    done
}
# 時間 5: one unit of water every 2.5 s, slow enough to move about by Tab.
k Tab Tab Tab Tab End shift+Tab shift+Tab shift+Tab shift+Tab
k space                                  # 水を入れる
sleep 3
k Tab Tab Tab Tab Tab Tab                # to 経過時間, past the lists
k Tab Tab space                          # → 記録する →
k shift+Tab shift+Tab shift+Tab shift+Tab shift+Tab shift+Tab shift+Tab space   # 水を止める
k Tab space                              # はじめから
# Amount 5 at time step 1: the tank is full some 3 s after the start.
k Tab Tab Tab End shift+Tab shift+Tab shift+Tab shift+Tab shift+Tab space
for _ in $(seq 100); do grep -aq "だれじゃ" "$work/orca.log" 2>/dev/null && break; sleep 0.1; done
sleep 1.5
k Return                                 # the message's OK
sleep 1.5
kill "$program" 2>/dev/null
pkill -f "orca --replace" 2>/dev/null
sleep 0.5
exit 0
