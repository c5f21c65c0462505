#!/usr/bin/env bash
# Installs what is missing, builds and starts 一次関数.
set -euo pipefail
cd "$(dirname "$0")"
source scripts/setup.sh
ensure_packages
build_preset default
exec ./build/default/app/ichijikansu
