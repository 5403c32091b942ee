#!/usr/bin/env bash
# Configures and builds Zentrox in Release into build/ (or $ZENTROX_BUILD_DIR).
set -euo pipefail

root=$(cd "$(dirname "$0")/.." && pwd)
build=${ZENTROX_BUILD_DIR:-$root/build}
cmake -S "$root" -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Release >/dev/null
cmake --build "$build" --parallel "$(nproc)"
