#!/usr/bin/env bash
# The README's play command on a machine with no display: it says so plainly and writes the
# whole demo with its music to a video instead (here at one frame a second, to be quick), then
# prints the video's path; with --no-video it only says so. $1 is the build folder to use.
set -uo pipefail

build=$(realpath "$1")
root=$(cd "$(dirname "$0")/../.." && pwd)
source "$(dirname "$0")/e2e_helpers.sh"

headless=(env -u DISPLAY -u WAYLAND_DISPLAY ZENTROX_BUILD_DIR="$build")
"${headless[@]}" "$root/scripts/play.sh" --no-video >"$work/out.log" 2>"$work/err.log" &&
  fail "--no-video without a display reported success"
grep -q "no display" "$work/err.log" || fail "--no-video: no word of the display: $(cat "$work/err.log")"

"${headless[@]}" ZENTROX_VIDEO="$work/demo.mp4" ZENTROX_VIDEO_FPS=1 "$root/scripts/play.sh" \
  >"$work/out.log" 2>"$work/err.log" || fail "play.sh without a display failed: $(tail "$work/err.log")"
grep -q "no display" "$work/err.log" || fail "no word of the display: $(head -n 3 "$work/err.log")"
[ "$(tail -n 1 "$work/out.log")" = "The demo is in the video $work/demo.mp4" ] ||
  fail "the video's path was not printed last: $(cat "$work/out.log")"
duration=$(ffprobe -v error -show_entries format=duration -of csv=p=0 "$work/demo.mp4" 2>/dev/null)
awk -v d="${duration:-0}" 'BEGIN { exit !(d > 189 && d < 191) }' ||
  fail "the video lasts '$duration' s, not the demo's 190"
[ -n "$(ffprobe -v error -select_streams a -show_entries stream=index -of csv=p=0 "$work/demo.mp4")" ] ||
  fail "the video has no music"

finish "without a display the play command writes the demo to a video"
