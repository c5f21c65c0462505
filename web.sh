#!/usr/bin/env bash
# Builds the browser page: installs what is missing from Debian (emscripten, node), compiles the
# core to WebAssembly and writes two files into build/web:
#   ichijikansu.html         the whole program in one file; open it in any browser
#   ichijikansu-replay.mjs   the replay protocol under node (node ichijikansu-replay.mjs < script)
# and copies the page to dist/ichijikansu.html, the file a teacher downloads from the repository.
# The build is reproducible, so that copy changes only when the program does: commit it then (a
# test compares it with the build, byte for byte).
set -euo pipefail
cd "$(dirname "$0")"
source scripts/setup.sh
ensure_web_packages
web/build.sh
mkdir -p dist
cp build/web/ichijikansu.html dist/ichijikansu.html
