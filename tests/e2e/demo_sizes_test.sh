#!/usr/bin/env bash
# The demo's picture sizes in a real X window (Xvfb, 1024x768): with --sharp it draws at the
# screen's own size, and what the screen shows is byte for byte the capture tool's frame at that
# size; with --window it opens an 800x600 window that can be resized, the picture letterboxed.
# Its --help names both options and --version answers; a wrong option is refused.
set -uo pipefail

demo=$1
capture=$2
data=$3
source "$(dirname "$0")/e2e_helpers.sh"
source "$(dirname "$0")/xvfb_session.sh"
export SDL_AUDIODRIVER=dummy

"$demo" --help >"$work/help.txt" || fail "--help failed"
grep -q -- '--sharp' "$work/help.txt" && grep -q -- '--window' "$work/help.txt" ||
  fail "--help does not name --sharp and --window: $(cat "$work/help.txt")"
"$demo" --version | grep -qE '^zentrox [0-9]+\.[0-9]+\.[0-9]+$' || fail "--version: $("$demo" --version)"
"$demo" --sharpen >/dev/null 2>"$work/refused.txt" && fail "a wrong option was taken"
grep -q 'unknown option --sharpen' "$work/refused.txt" || fail "no message: $(cat "$work/refused.txt")"

# A screenshot into $1 of the area of size $2 at $3 (X,Y).
shot() { ffmpeg -v error -nostdin -y -f x11grab -video_size "$2" -i "$DISPLAY+$3" -frames:v 1 "$1"; }

# --sharp: the title picture drawn at 1024x768 is the capture's frame at that size.
"$capture" --data "$data" --size 1024x768 --at 5 --out "$work/reference" >/dev/null 2>&1 ||
  fail "the reference capture failed"
if start_demo "$data" --sharp; then
  wait_for_title || fail "--sharp: no title"
  for _ in $(seq 100); do
    now=$(title_time)
    awk -v t="${now:-0}" 'BEGIN { exit !(t >= 1.0) }' && break
    sleep 0.1
  done
  shot "$work/sharp.png" 1024x768 0,0 || fail "no screenshot"
  [ "$(pixels "$work/sharp.png")" = "$(pixels "$work/reference/frame_000000.png")" ] ||
    fail "the --sharp screen differs from the 1024x768 capture"
  xdotool key --window "$window" Escape
  wait_for_exit
  [ "$result" = 0 ] || fail "--sharp: the demo ended with '$result'"
else
  fail "no window for --sharp"; cat "$work/demo.log" >&2
fi

# --window: 800x600, resizable, the picture letterboxed into its new shape.
if start_demo "$data" --window; then
  wait_for_title || fail "--window: no title"
  geometry=$(xdotool getwindowgeometry "$window")
  echo "$geometry" | grep -q 'Geometry: 800x600' || fail "--window is not 800x600: $geometry"
  xdotool windowmove "$window" 0 0 windowsize "$window" 1000 500
  sleep 1.5
  geometry=$(xdotool getwindowgeometry "$window")
  echo "$geometry" | grep -q 'Geometry: 1000x500' || fail "the window did not resize: $geometry"
  position=$(echo "$geometry" | sed -n 's/.*Position: \([0-9]*\),\([0-9]*\).*/\1,\2/p')
  shot "$work/window.png" 1000x500 "$position" || fail "no screenshot of the window"
  # The 4:3 picture is 666 pixels wide in 1000: bars of 167 either side.
  [ "$(mean_grey "$work/window.png" 150:500:0:0)" = 0 ] || fail "no black bar on the left"
  [ "$(mean_grey "$work/window.png" 150:500:850:0)" = 0 ] || fail "no black bar on the right"
  [ "$(mean_grey "$work/window.png" 600:450:200:25)" -gt 30 ] || fail "no picture in the window"
  xdotool key --window "$window" Escape
  wait_for_exit
  [ "$result" = 0 ] || fail "--window: the demo ended with '$result'"
else
  fail "no window for --window"; cat "$work/demo.log" >&2
fi

finish "demo sizes passed"
