#!/usr/bin/env bash
# Installs what is missing, builds Zentrox and plays the demo from its data tree; options go
# to the demo (zentrox --help).
set -euo pipefail

root=$(cd "$(dirname "$0")/.." && pwd)
build=${ZENTROX_BUILD_DIR:-$root/build}
"$root/scripts/install-deps.sh"
"$root/scripts/build.sh"
# The demo reads everything from the data tree in its working directory.
data=$build/data
mkdir -p "$data"
cd "$data"
exec "$build/zentrox" "$@"
