#!/usr/bin/env bash
# Builds the browser page: installs what is missing from Debian (emscripten, node), compiles the
# core to WebAssembly and writes two files into build/web:
#   ichijikansu.html         the whole program in one file; open it in any browser
#   ichijikansu-replay.mjs   the replay protocol under node (node ichijikansu-replay.mjs < script)
set -euo pipefail
cd "$(dirname "$0")"
source scripts/setup.sh
ensure_web_packages
web/build.sh
