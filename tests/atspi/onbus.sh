#!/bin/bash
# Runs a command as a desktop with a screen reader runs a program: on a private X server (Xvfb,
# the xcb platform) with a private session bus whose accessibility bus is up, so Qt's
# accessibility is active. Whatever the command started goes with the session.
#
#   tests/atspi/onbus.sh COMMAND [ARGUMENT...]
#
# The command's exit code; 77 (skipped) when a tool it needs is not installed (Debian packages
# xvfb, xauth, dbus-daemon, at-spi2-core).

set -u

for tool in xvfb-run dbus-run-session dbus-send; do
    command -v "$tool" >/dev/null || { echo "onbus: $tool is missing: skipped"; exit 77; }
done

# The session bus starts the accessibility bus on the first call to it.
exec xvfb-run -a -s "-screen 0 1280x1024x24 -nolisten tcp" dbus-run-session -- bash -c '
    dbus-send --session --dest=org.a11y.Bus --print-reply /org/a11y/bus org.a11y.Bus.GetAddress >/dev/null ||
        { echo "onbus: the accessibility bus did not start: skipped"; exit 77; }
    QT_QPA_PLATFORM=xcb QT_LINUX_ACCESSIBILITY_ALWAYS_ON=1 exec "$@"' onbus "$@"
