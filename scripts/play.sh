#!/usr/bin/env bash
# Installs what is missing, builds Zentrox and plays the demo from its data tree; options go
# to the demo (zentrox --help). Where there is no display to play on, it says so and writes the
# whole demo with its music to a video instead (--no-video: only say so), and prints its path.
set -euo pipefail

root=$(cd "$(dirname "$0")/.." && pwd)
build=${ZENTROX_BUILD_DIR:-$root/build}
"$root/scripts/install-deps.sh"
"$root/scripts/build.sh"
# The demo reads everything from the data tree in its working directory.
data=$build/data
mkdir -p "$data"

# A display the demo can open: X11 answering on $DISPLAY, or a Wayland socket.
have_display() {
  if [ -n "${WAYLAND_DISPLAY:-}" ]; then
    return 0
  fi
  [ -n "${DISPLAY:-}" ] && xdpyinfo >/dev/null 2>&1
}

if ! have_display; then
  echo "zentrox: there is no display to play on here (DISPLAY is not set or does not answer)." >&2
  if [ "${1:-}" = --no-video ]; then
    exit 1
  fi
  video=${ZENTROX_VIDEO:-$build/zentrox.mp4}
  fps=${ZENTROX_VIDEO_FPS:-30}
  echo "Writing the whole demo with its music to a video instead ($fps frames a second):" >&2
  "$build/zentrox-capture" --data "$data" --fps "$fps" --video "$video" >&2
  echo "The demo is in the video $video"
  exit 0
fi
cd "$data"
exec "$build/zentrox" "$@"
