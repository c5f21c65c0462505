#!/bin/bash
# Runs screenreader.py against the program on a private X server (Xvfb) and a private session bus,
# on which the accessibility bus starts as it does on a desktop. Everything started here is ended
# here, also on a timeout.
#
#   tests/atspi/screenreader.sh PATH/TO/ichijikansu
#
# Exit code 0 when the lesson was heard correctly, non-zero when not, 77 (skipped) when a tool it needs
# is not installed (Debian packages xvfb, xdotool, dbus-daemon, at-spi2-core, python3-pyatspi).

set -u

program=${1:?usage: screenreader.sh PATH/TO/ichijikansu}
python=/usr/bin/python3

for tool in Xvfb xdpyinfo xdotool dbus-run-session; do
    command -v "$tool" >/dev/null || { echo "screenreader: $tool is missing: skipped"; exit 77; }
done
launcher=''
for candidate in /usr/libexec/at-spi-bus-launcher /usr/lib/at-spi2-core/at-spi-bus-launcher; do
    [ -x "$candidate" ] && launcher=$candidate
done
[ -n "$launcher" ] || { echo "screenreader: at-spi-bus-launcher is missing: skipped"; exit 77; }
if ! [ -x "$python" ] || ! "$python" -c 'import pyatspi' 2>/dev/null; then
    echo "screenreader: python3-pyatspi is missing: skipped"
    exit 77
fi
[ -x "$program" ] || { echo "screenreader: $program is not an executable"; exit 1; }
here=$(cd "$(dirname "$0")" && pwd)

work=$(mktemp -d /tmp/screenreader.XXXXXX)
. "$here/../common/xdisplay.sh"

unset QT_QPA_PLATFORM DBUS_SESSION_BUS_ADDRESS AT_SPI_BUS_ADDRESS

# A process group of its own, so the buses and the program go with it whatever happens.
# The buses' chatter goes to a log, shown only when something went wrong. A session whose display
# or program never came up (3: the program never reached the accessibility bus) failed to start,
# which is not a wrong reading: it is tried afresh, on a new display, up to three times.
status=1
for attempt in 1 2 3; do
    if ! start_display; then
        echo "screenreader: Xvfb did not start (attempt $attempt)"
        sed 's/^/    /' "$work/xvfb.log"
        stop_display
        continue
    fi
    setsid -w timeout 150 dbus-run-session -- "$python" "$here/screenreader.py" "$program" 2>"$work/session.log" &
    session_group=$!
    wait "$session_group"
    status=$?
    kill -- "-$session_group" 2>/dev/null
    session_group=''
    stop_display
    [ "$status" -eq 3 ] || break
    echo "screenreader: starting afresh (attempt $attempt)"
    sed 's/^/    /' "$work/xvfb.log"
done
[ "$status" -eq 0 ] || sed 's/^/    /' "$work/session.log"
[ "$status" -eq 124 ] && echo "screenreader: timed out after 150 s"
exit "$status"
