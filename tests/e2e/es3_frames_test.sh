#!/usr/bin/env bash
# The capture built over the project's OpenGL 1.1 layer on OpenGL ES 3.0 (ZENTROX_GL=es3)
# against the desktop OpenGL build, on the golden frames (the whole timeline at 1 fps, every
# overlap, the second seed): each ES frame lies within RMSE 3 (0-255) of the desktop frame,
# and after a box downscale by 8 no channel differs by more than 16, so a missing object or a
# wrong fog fails while a different line antialiasing does not. The ES frames must also be
# exactly those recorded in golden_frames_es3.txt (scripts/record-golden es3 records them).
# Prints every frame's figures and the worst of each.
# Usage: es3_frames_test.sh ES_CAPTURE DESKTOP_CAPTURE DATA FRAME_DIFFERENCE
set -uo pipefail

es_capture=$1
desktop_capture=$2
data=$3
frame_difference=$4
golden=$(dirname "$0")/golden_frames_es3.txt
source "$(dirname "$0")/e2e_helpers.sh"
source "$(dirname "$0")/golden_frames.sh"

scratch=$work
work=$scratch/es
mkdir -p "$work"
capture=$es_capture
golden_frames || abort "the ES captures failed"
work=$scratch/desktop
mkdir -p "$work"
capture=$desktop_capture
golden_frames || abort "the desktop captures failed"
work=$scratch

grep '^seed=' "$golden" >"$work/expected" || abort "$golden holds no frames"
if [ "$(grep '^renderer ' "$golden")" != "$(work=$work/es golden_renderer)" ]; then
  fail "the ES frames were recorded under '$(grep '^renderer ' "$golden")'"
fi
if ! diff "$work/expected" "$work/es/sums" >"$work/diff"; then
  fail "$(grep -c '^>' "$work/diff") ES frames differ from $golden (< recorded, > rendered):"
  head -n 20 "$work/diff" >&2
fi

[ "$(wc -l <"$work/es/files")" = "$(wc -l <"$work/desktop/files")" ] ||
  abort "the two builds rendered different numbers of frames"
paste -d ' ' "$work/es/sums" "$work/es/files" "$work/desktop/files" >"$work/pairs"
: >"$work/figures"
while read -r seed time _ es_file desktop_file; do
  figures=$("$frame_difference" "$desktop_file" "$es_file") ||
    { fail "cannot compare $seed $time"; continue; }
  echo "$seed $time $figures" >>"$work/figures"
done <"$work/pairs"
cat "$work/figures"
# "seed=S t=T rmse=R coarse=C": the frames past either bound fail.
awk '{ split($3, r, "="); split($4, c, "=");
       if (r[2] + 0 > 3 || c[2] + 0 > 16) print "FAIL: " $0 " is past RMSE 3 or coarse 16" }' \
  "$work/figures" >"$work/past"
if [ -s "$work/past" ]; then
  cat "$work/past" >&2
  fail "$(wc -l <"$work/past") ES frames lie too far from the desktop frames"
fi
worst=$(awk '{ split($3, r, "="); split($4, c, "=");
               if (r[2] + 0 > mr) { mr = r[2] + 0; at = $1 " " $2 }
               if (c[2] + 0 > mc) { mc = c[2] + 0; cat = $1 " " $2 } }
             END { printf "worst RMSE %.3f (%s), worst coarse %.2f (%s)", mr, at, mc, cat }' \
  "$work/figures")
finish "$(wc -l <"$work/figures") ES frames within bounds of the desktop's and as recorded; $worst"
