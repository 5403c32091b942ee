#!/usr/bin/env bash
# The picture at any size: --size 800x600 changes nothing; other sizes put the 4:3 picture in the
# middle with black bars; for every scene, a 1600x1200 frame box-filtered down to 800x600 stays
# within a small RMSE of the 800x600 frame. Motion blur: each frame of --shutter N is exactly the
# mean, in linear light, of the N frames of a capture at N times the rate. Late starts, spans and
# the held picture stay exact at another size with a shutter.
set -uo pipefail

capture=$1
average=$2
data=$3
source "$(dirname "$0")/e2e_helpers.sh"

# The size option alone changes nothing.
run --fps 30 --at 50 --out "$work/plain"
run --fps 30 --at 50 --size 800x600 --out "$work/sized"
cmp -s "$(frame "$work/plain" 0)" "$(frame "$work/sized" 0)" || fail "--size 800x600 changed the frame"

# 1920x1080: bars of 240 columns either side, the picture between.
run --fps 30 --at 50 --size 1920x1080 --out "$work/hd"
for bar in 240:1080:0:0 240:1080:1680:0; do
  [ "$(mean_grey "$(frame "$work/hd" 0)" "$bar")" = 0 ] || fail "the bar $bar is not black"
done
middle=$(mean_grey "$(frame "$work/hd" 0)" 1440:1080:240:0)
[ "${middle:-0}" -gt 30 ] || fail "the picture is dark: mean grey '$middle'"

# Sharper, not different: 1600x1200 box-filtered to 800x600 against 800x600, per scene.
for t in 5 12.5 30 50 70 86.5 100 115 121.5 125 140 160 185; do
  run --fps 30 --at "$t" --out "$work/small-$t" && run --fps 30 --at "$t" --size 1600x1200 --out "$work/large-$t" ||
    continue
  mse=$(ffmpeg -v error -nostdin -i "$(frame "$work/large-$t" 0)" -i "$(frame "$work/small-$t" 0)" \
    -lavfi "[0]scale=800:600:flags=area[a];[a][1]psnr=stats_file=-" -f null - 2>&1 |
    sed -n 's/.*mse_avg:\([0-9.]*\).*/\1/p')
  rmse=$(awk -v m="${mse:-1e9}" 'BEGIN { printf "%.2f", sqrt(m) }')
  echo "RMSE at $t s: $rmse"
  awk -v r="$rmse" 'BEGIN { exit !(r < 9) }' || fail "at $t s 1600x1200 differs from 800x600 by RMSE $rmse"
done

# Motion blur in the tunnel and through the flashes at 154.75 s.
for range in "99 100" "154.5 155"; do
  read -r from to <<<"$range"
  run --fps 10 --shutter 4 --from "$from" --to "$to" --out "$work/blur-$from" &&
    run --fps 40 --from "$from" --to "$to" --out "$work/fast-$from" || continue
  for n in 0 1 2 3 4; do
    "$average" "$work/mean.png" $(for k in 0 1 2 3; do frame "$work/fast-$from" $((4 * n + k)); echo; done) ||
      { fail "cannot average"; continue; }
    cmp -s "$work/mean.png" "$(frame "$work/blur-$from" "$n")" ||
      fail "--shutter 4 frame $n from $from s is not the mean of frames $((4 * n))-$((4 * n + 3)) at 40 fps"
  done
done

# At 1280x720 with a shutter of 2: spans and a single frame against the range they cut, across
# the change to the finale; the held picture against a range from 179 s.
sized=(--size 1280x720 --shutter 2 --fps 5)
run "${sized[@]}" --from 118 --to 124 --out "$work/range"
for k in 1 2 3; do run "${sized[@]}" --from 118 --to 124 --span "$k/3" --out "$work/shares"; done
for n in $(seq 0 29); do
  cmp -s "$(frame "$work/range" "$n")" "$(frame "$work/shares" "$n")" || fail "span frame $n differs"
done
run "${sized[@]}" --at 122 --out "$work/at122"
cmp -s "$(frame "$work/range" 20)" "$(frame "$work/at122" 0)" || fail "--at 122 differs from the range"
run --size 1280x720 --fps 1 --from 179 --to 186 --out "$work/late"
run --size 1280x720 --fps 1 --at 185 --out "$work/held"
cmp -s "$(frame "$work/late" 6)" "$(frame "$work/held" 0)" || fail "the held picture at 1280x720 differs"
[ "$(pixels "$(frame "$work/held" 0)")" != "$(pixels "$(frame "$work/plain" 0)")" ] || fail "no picture held"

finish "every size and shutter holds"
