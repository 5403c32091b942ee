#!/usr/bin/env bash
# The whole timeline at one frame per second (0.5 s, 1.5 s, ... 189.5 s) from the generated
# tree, each frame's pixels compared exactly with the ones recorded in golden_frames.txt: any
# change of the code that changes a picture, even by one pixel, fails here. Exact pixels depend
# on the driver, so the file names the renderer it was made with, and the test is skipped
# (status 77) under any other.
#   ZENTROX_UPDATE_GOLDEN=1 records the current frames instead; only do that for a change
#   meant to alter the pictures, and look at them first.
# On a mismatch the differing frames are kept in the folder named by ZENTROX_GOLDEN_KEEP
# (default: golden-mismatch in the working folder).
set -uo pipefail

capture=$1
data=$2
golden=$(dirname "$0")/golden_frames.txt
keep=${ZENTROX_GOLDEN_KEEP:-$PWD/golden-mismatch}
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

if ! "$capture" --data "$data" --fps 1 --from 0.5 --out "$work/frames" >"$work/log" 2>&1; then
  cat "$work/log" >&2
  echo "FAIL: the capture failed" >&2
  exit 1
fi
renderer=$(grep '^renderer ' "$work/log")
# One MD5 of the decoded RGB pixels per frame, named after its file.
ffmpeg -v error -i "$work/frames/frame_%06d.png" -f framemd5 - |
  awk '!/^#/ { printf "frame_%06d.png %s\n", n++, $NF }' >"$work/sums"
[ "$(wc -l <"$work/sums")" -eq 190 ] || { echo "FAIL: $(wc -l <"$work/sums") of 190 frames" >&2; exit 1; }

if [ "${ZENTROX_UPDATE_GOLDEN:-0}" = 1 ]; then
  { echo "$renderer"; cat "$work/sums"; } >"$golden"
  echo "recorded 190 frames under $renderer in $golden"
  exit 0
fi
if [ "$(head -n 1 "$golden")" != "$renderer" ]; then
  echo "SKIP: the frames were recorded under '$(head -n 1 "$golden")', this is '$renderer'"
  exit 77
fi
differing=$(tail -n +2 "$golden" | diff - "$work/sums" | awk '/^>/ { print $2 }')
if [ -n "$differing" ]; then
  mkdir -p "$keep"
  for frame in $differing; do cp "$work/frames/$frame" "$keep/"; done
  echo "FAIL: $(echo "$differing" | wc -l) frames differ, kept in $keep:" $differing >&2
  exit 1
fi
echo "190 frames identical under $renderer"
