#!/usr/bin/env bash
# The web build in headless Chromium (SwiftShader's WebGL 2), served from 127.0.0.1:
# - stills (?still=) at the golden times and every overlap against the native ES capture's
#   --at frames (RMSE at most 2 on 0-255) and the desktop capture's (RMSE at most 3), no 8x8
#   block of either past 32 in any channel;
# - the player: start card, playing in step with the audio clock, title, pause, seeks, a seek
#   equal to the still of its time, the end and Escape back to the start card;
# - the site with files missing or damaged, or without its music, and a browser without WebGL 2;
# - the site's size (total and gzip) and the time to the first frame, printed.
# Usage: web_test.sh SITE ES_CAPTURE DESKTOP_CAPTURE DATA FRAME_DIFFERENCE
set -uo pipefail

site=$1
es_capture=$2
desktop_capture=$3
data=$4
frame_difference=$5
here=$(cd "$(dirname "$0")" && pwd)
source "$here/../e2e/e2e_helpers.sh"
source "$here/../e2e/golden_frames.sh"
node_run=(node --experimental-websocket)

# Serves a folder on a free port of 127.0.0.1; sets `served` to its address.
serve() {
  local folder=$1 log="$work/server-$2.log"
  python3 -u -m http.server --bind 127.0.0.1 --directory "$folder" 0 >"$log" 2>&1 &
  on_exit "kill $! 2>/dev/null"
  local port=""
  for _ in $(seq 100); do
    port=$(sed -n 's/^Serving HTTP on 127.0.0.1 port \([0-9]*\).*/\1/p' "$log")
    [ -n "$port" ] && break
    sleep 0.1
  done
  [ -n "$port" ] || abort "the web server for $folder did not start"
  served="http://127.0.0.1:$port/"
}

[ -f "$site/index.html" ] && [ -f "$site/zentrox.wasm" ] || abort "$site holds no web build"
serve "$site" good
good=$served

# The site's size, as served and as a compressing server sends it.
total=$(find "$site" -type f -printf '%s\n' | awk '{ s += $1 } END { print s }')
compressed=$(find "$site" -type f -exec sh -c 'gzip -9 -c "$1" | wc -c' _ {} \; |
  awk '{ s += $1 } END { print s }')
echo "site: $total bytes, $compressed gzip-compressed"

# Stills against the native captures of the same frames; with KEEP_DIR set, the stills and
# their figures are kept there.
times=$(awk 'BEGIN { for (t = 0.5; t < 190; t += 1) print t }')
times="$times $golden_overlaps"
"${node_run[@]}" "$here/stills.mjs" "$good" "$work/web" $times >"$work/stills.log" 2>&1 ||
  { cat "$work/stills.log" >&2; abort "the browser did not render every still"; }
cat "$work/stills.log"
native_at() {
  local capture=$1 data=$2 out=$3 t=$4
  "$capture" --data "$data" --at "$t" --out "$out/$t" >"$out/$t.log" 2>&1 &&
    mv "$out/$t/frame_000000.png" "$out/still-$t.png"
}
export -f native_at
for build in es desktop; do
  capture=$es_capture
  [ "$build" = desktop ] && capture=$desktop_capture
  mkdir -p "$work/$build"
  printf '%s\n' $times | xargs -P "$(nproc)" -I{} bash -c \
    "native_at '$capture' '$data' '$work/$build' {}" || abort "the $build captures failed"
done
: >"$work/figures"
for t in $times; do
  es=$("$frame_difference" "$work/es/still-$t.png" "$work/web/still-$t.png") ||
    { fail "cannot compare the still at $t s"; continue; }
  desktop=$("$frame_difference" "$work/desktop/still-$t.png" "$work/web/still-$t.png") ||
    { fail "cannot compare the still at $t s"; continue; }
  echo "t=$t es $es desktop $desktop" >>"$work/figures"
done
# "t=T es rmse=R coarse=C desktop rmse=R coarse=C"
# NOTE: SwiftShader is not llvmpipe: sub-pixel highlights land on other pixels, and the edges of
# Softface's banded sky move by one band (16 levels), so the coarse bound is 32 where the ES
# build's against the desktop is 16; a missing glow or a wrong fog still lies far past it.
awk '{ split($3, e, "="); split($4, f, "="); split($6, d, "="); split($7, c, "=");
       if (e[2] + 0 > 2 || f[2] + 0 > 32) print "FAIL: " $0 ": past RMSE 2 or coarse 32 of the ES capture";
       if (d[2] + 0 > 3 || c[2] + 0 > 32) print "FAIL: " $0 ": past RMSE 3 or coarse 32 of the desktop capture" }' \
  "$work/figures" >"$work/past"
if [ -s "$work/past" ]; then
  cat "$work/past" >&2
  fail "$(wc -l <"$work/past") stills lie too far from the native frames"
fi
awk '{ split($3, e, "="); split($6, d, "="); split($7, c, "=");
       if (e[2] + 0 > me) { me = e[2] + 0; ate = $1 } if (d[2] + 0 > md) { md = d[2] + 0; atd = $1 }
       if (c[2] + 0 > mc) { mc = c[2] + 0; atc = $1 } se += e[2]; n++ }
     END { printf "%d stills: RMSE to ES mean %.3f, worst %.3f (%s); to desktop worst %.3f (%s), coarse %.2f (%s)\n",
           n, se / n, me, ate, md, atd, mc, atc }' "$work/figures"

if [ -n "${KEEP_DIR:-}" ]; then
  mkdir -p "$KEEP_DIR" && cp "$work"/web/*.png "$work/figures" "$KEEP_DIR/"
fi

# The player.
"${node_run[@]}" "$here/player_test.mjs" "$good" || fail "the player misbehaved"

# A damaged site, a silent one, and no WebGL 2.
cp -r "$site" "$work/damaged"
rm "$work/damaged/data/Textures/Welcome.png" "$work/damaged/data/Objects/xlab/tunnel.rob"
head -c 100 "$site/data/Textures/Sky.png" >"$work/damaged/data/Textures/Sky.png"
head -c 3000 /dev/urandom >"$work/damaged/data/Cameras/Scene2_Tour.txt"
head -c 5000 /dev/urandom >"$work/damaged/data/Objects/sf/env.rob"
cp -r "$site" "$work/silent"
rm "$work/silent/data/Sounds/Crunch.mp3"
serve "$work/damaged" damaged
damaged=$served
serve "$work/silent" silent
silent=$served
"${node_run[@]}" "$here/damaged_site_test.mjs" "$damaged" "$silent" "$good" ||
  fail "a damaged site or a browser without WebGL 2 misbehaved"

finish "the web build renders, plays, seeks and copes as it should"
