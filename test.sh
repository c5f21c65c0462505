#!/usr/bin/env bash
# Installs what is missing, builds, and runs every test headless: first under the address and
# undefined-behaviour sanitizers, then the browser page and the build CI makes (every warning an
# error), whose CTest summary closes the output.
set -euo pipefail
cd "$(dirname "$0")"
source scripts/setup.sh
ensure_packages
export QT_QPA_PLATFORM=offscreen

build_preset asan
ctest --preset asan

# The browser page, so that the default build registers its tests (the replay tool under node,
# the page in headless Chromium).
./web.sh
ensure_web_test_modules

build_preset ci
ctest --preset ci
