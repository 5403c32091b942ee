#!/usr/bin/env bash
# Builds the demo for web browsers with Debian's Emscripten into build-web/ and serves the site,
# build-web/site/, on 127.0.0.1, printing its address. The site is static: any web server can
# serve a copy of that folder.
#   scripts/web.sh [--build-only] [--port N]
set -euo pipefail

root=$(cd "$(dirname "$0")/.." && pwd)
build=${ZENTROX_BUILD_DIR:-$root/build}
web_build=${ZENTROX_WEB_BUILD_DIR:-$root/build-web}
port=8080
serve=1
while [ $# -gt 0 ]; do
  case "$1" in
    --build-only) serve=0 ;;
    --port) port=$2; shift ;;
    *) echo "usage: scripts/web.sh [--build-only] [--port N]" >&2; exit 2 ;;
  esac
  shift
done

"$root/scripts/install-deps.sh"

# The data tree comes from the native generator.
cmake -S "$root" -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Release >/dev/null
cmake --build "$build" --parallel "$(nproc)" --target zentrox_data_tree

# NOTE: Emscripten's optimiser runs on the system's Node, which finds Debian's JavaScript
# packages only through NODE_PATH.
export NODE_PATH=/usr/share/nodejs
emcmake cmake -S "$root" -B "$web_build" -G Ninja -DCMAKE_BUILD_TYPE=Release \
  -DZENTROX_GL=es3 -DZENTROX_PNG=stb -DZENTROX_WEB_DATA="$build/data" >/dev/null
cmake --build "$web_build" --parallel "$(nproc)"

site="$web_build/site"
echo "site: $site ($(du -sh "$site" | cut -f1))"
if [ "$serve" -eq 1 ]; then
  echo "serving on http://127.0.0.1:$port/ (Ctrl-C stops)"
  exec python3 -m http.server --bind 127.0.0.1 --directory "$site" "$port"
fi
