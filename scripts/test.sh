#!/usr/bin/env bash
# Installs what is missing, builds Zentrox and runs every test: unit, rendering (offscreen
# Mesa), and end to end (the demo under Xvfb, the capture tool).
set -euo pipefail

root=$(cd "$(dirname "$0")/.." && pwd)
build=${ZENTROX_BUILD_DIR:-$root/build}
"$root/scripts/install-deps.sh"
"$root/scripts/build.sh"
cd "$build"
ctest --output-on-failure --timeout 600 --parallel "$(nproc)"
