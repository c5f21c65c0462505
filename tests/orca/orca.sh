#!/bin/bash
# A keyboard lesson as Orca speaks it: starts Orca with its debug log on a private X server,
# session bus and speech dispatcher (espeak-ng on a null sound device), runs the lesson script
# against the program or the page, and checks what Orca said at each moment of the lesson.
#
#   tests/orca/orca.sh PATH/TO/ichijikansu
#   tests/orca/orca.sh --page PATH/TO/ichijikansu.html     (in Chromium, as a learner opens it)
#
# Exit code 0 when every moment was heard, 1 when not, 77 (skipped) when a tool it needs is not
# installed (Debian packages orca, speech-dispatcher, speech-dispatcher-espeak-ng, espeak-ng,
# openbox, xvfb, xdotool, dbus-daemon, at-spi2-core).

set -u
front=desktop
if [ "${1:-}" = --page ]; then
    front=page
    shift
fi
program=${1:?usage: orca.sh [--page] PATH/TO/ichijikansu or PATH/TO/ichijikansu.html}
tools=(orca speech-dispatcher espeak-ng openbox Xvfb xdpyinfo xdotool dbus-run-session script)
[ "$front" = page ] && tools+=(chromium)
for tool in "${tools[@]}"; do
    command -v "$tool" >/dev/null || { echo "orca: $tool is missing: skipped"; exit 77; }
done
if [ "$front" = page ]; then
    [ -f "$program" ] || { echo "orca: $program is no page"; exit 1; }
    program=$(realpath "$program")
else
    [ -x "$program" ] || { echo "orca: $program is not an executable"; exit 1; }
fi
here=$(cd "$(dirname "$0")" && pwd)

work=$(mktemp -d /tmp/orca.XXXXXX)
ON_CLEANUP='[ -n "${ORCA_KEEP:-}" ] && cp -r "$work" "$ORCA_KEEP"'
XVFB_SCREEN=1024x768x24
. "$here/../common/xdisplay.sh"

# Everything Orca and the speech dispatcher keep lives here: nothing of the machine's own is read
# or changed. Without a sound device the dispatcher stops answering after two utterances unless
# ALSA is pointed at a null device; its default output (PulseAudio) is not there at all.
mkdir -p "$work/home" "$work/settings" "$work/config" "$work/data" "$work/cache" "$work/runtime"
chmod 700 "$work/runtime"
printf 'pcm.!default { type null }\nctl.!default { type hw card 0 }\n' >"$work/home/.asoundrc"
cp -r /etc/speech-dispatcher "$work/config/speech-dispatcher"
echo 'AudioOutputMethod "alsa"' >>"$work/config/speech-dispatcher/speechd.conf"
touch "$work/settings/__init__.py"
cat >"$work/settings/user-settings.conf" <<'SETTINGS'
{
    "general": {"enableSpeech": true, "speechServerFactory": "orca.speechdispatcherfactory",
                "enableTutorialMessages": false, "enableSound": false},
    "keybindings": {}, "pronunciations": {},
    "profiles": {"default": {"profile": ["Default", "default"], "enableSpeech": true,
                             "speechServerFactory": "orca.speechdispatcherfactory",
                             "enableTutorialMessages": false}},
    "startingProfile": ["Default", "default"]
}
SETTINGS
export HOME=$work/home XDG_CONFIG_HOME=$work/config XDG_DATA_HOME=$work/data XDG_CACHE_HOME=$work/cache
export XDG_RUNTIME_DIR=$work/runtime LANG=C.UTF-8 LC_ALL=C.UTF-8
unset QT_QPA_PLATFORM DBUS_SESSION_BUS_ADDRESS AT_SPI_BUS_ADDRESS QT_LINUX_ACCESSIBILITY_ALWAYS_ON

start_display || { echo "orca: Xvfb did not start"; sed 's/^/    /' "$work/xvfb.log"; exit 1; }

export ORCA_WORK=$work ORCA_PROGRAM=$program ORCA_FRONT=$front
setsid -w timeout 200 dbus-run-session -- bash "$here/lesson.sh" >"$work/session.log" 2>&1 &
session_group=$!
wait "$session_group"
status=$?
session_group=''
if [ "$status" -ne 0 ]; then
    echo "orca: the session failed ($status)"
    sed 's/^/    /' "$work/session.log" | tail -20
    exit 1
fi
# What Orca said, one utterance a line, in order.
grep -a 'SPEECH OUTPUT:' "$work/orca.log" | sed -e "s/^.*SPEECH OUTPUT: '//" -e "s/'{.*\$//" -e "s/' \$//" >"$work/spoken"
python3 "$here/heard.py" "$work/spoken" "$front" "$work/program.log"
