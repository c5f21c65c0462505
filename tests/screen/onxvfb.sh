#!/bin/bash
# Runs a test program on a private X server of the given size, through the real xcb platform, as a
# classroom's projector shows the program.
#
#   tests/screen/onxvfb.sh WIDTHxHEIGHT COMMAND [ARGUMENT...]
#
# The command's exit code; 77 (skipped) when Xvfb or xauth is not installed (Debian packages xvfb,
# xauth).

set -u
size=$1
shift
for tool in xvfb-run xauth; do
    command -v "$tool" >/dev/null || { echo "onxvfb: $tool is missing: skipped"; exit 77; }
done
exec xvfb-run -a -s "-screen 0 ${size}x24 -nolisten tcp" env QT_QPA_PLATFORM=xcb WAYLAND_DISPLAY= "$@"
