#!/usr/bin/env bash
# Captures that start late show exactly what a capture from 0 shows: single frames, spans across
# every boundary of the timeline and inside the finale's morph, random spans, and the --span
# shares of the whole run, each compared byte for byte with the same frames of one whole capture
# at the same frame rate.
# ZENTROX_SEEK_SEED repeats the random spans of an earlier run (the log names its seed).
set -uo pipefail

capture=$1
data=$2
source "$(dirname "$0")/e2e_helpers.sh"

# Frames $3.. of the capture into folder $1 equal the whole run's from its frame $2 on.
expect_same() {
  local folder=$1 first=$2 name=$3 n=0 file
  [ -d "$folder" ] || { fail "$name wrote no frames"; return; }
  for file in "$folder"/frame_*.png; do
    [ -e "$file" ] || { fail "$name wrote no frames"; return; }
    cmp -s "$file" "$(frame "$whole" $((first + n)))" ||
      fail "$name: frame $n differs from frame $((first + n)) of the whole run"
    n=$((n + 1))
  done
}

# Everything at 2 frames a second, whose grid holds 10, 15, 85, 88, 120, 123 and 180.
whole=$work/whole
run --fps 2 --out "$whole" || exit 1
[ "$(find "$whole" -name 'frame_*.png' | wc -l)" = 380 ] || fail "the whole run has not 380 frames"

for t in 0 9.5 10 10.5 15 50 85 88 100.5 120 123 150 179.5 180 185 189.5; do
  index=$(awk -v t="$t" 'BEGIN { printf "%d", t * 2 }')
  run --fps 2 --at "$t" --out "$work/at-$t" && expect_same "$work/at-$t" "$index" "--at $t"
done

# Two frames either side of each boundary; late starts inside the finale's morph, where its
# shape is carried from frame to frame: in the holds (125-126 and 131-132 s, where the shape
# stays as the frame before left it) and in the morphs between them; then random spans.
spans=("9.5 10.5" "14.5 15.5" "84.5 85.5" "87.5 88.5" "119.5 120.5" "122.5 123.5" "179.5 180.5"
       "125.5 126.5" "126.5 127.5" "128.5 129.5" "130.5 131.5" "131.5 132.5")
seed=${ZENTROX_SEEK_SEED:-$(date +%s)}
RANDOM=$seed
echo "random spans from seed $seed"
for _ in 1 2 3 4 5 6; do
  first=$((RANDOM % 370))
  spans+=("$(awk -v a="$first" -v b=$((first + 1 + RANDOM % 10)) 'BEGIN { print a / 2, b / 2 }')")
done
for span in "${spans[@]}"; do
  read -r from to <<<"$span"
  index=$(awk -v t="$from" 'BEGIN { printf "%d", t * 2 }')
  run --fps 2 --from "$from" --to "$to" --out "$work/span-$from" &&
    expect_same "$work/span-$from" "$index" "--from $from --to $to"
done

# The five shares of the whole run hold every frame once, each as the whole run has it.
for k in 1 2 3 4 5; do
  run --fps 2 --span "$k/5" --out "$work/shares"
done
[ "$(find "$work/shares" -name 'frame_*.png' | wc -l)" = 380 ] || fail "the shares hold not 380 frames"
expect_same "$work/shares" 0 "--span K/5"

# The dissolve's first frames at 20 frames a second: 9.9 (the boundary), 9.95 (the overlap)
# and 10, and a span across them.
whole=$work/whole20
run --fps 20 --to 10.5 --out "$whole" || exit 1
for t in 9.9 9.95 10; do
  index=$(awk -v t="$t" 'BEGIN { printf "%d", t * 20 + 0.5 }')
  run --fps 20 --at "$t" --out "$work/at20-$t" && expect_same "$work/at20-$t" "$index" "--at $t at 20 fps"
done
run --fps 20 --from 9.85 --to 10.1 --out "$work/span20" && expect_same "$work/span20" 197 "--from 9.85 at 20 fps"

finish "every late start matches the whole run"
