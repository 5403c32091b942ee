# Sourced by golden_frames_test.sh and scripts/record-golden: which frames of the demo are
# compared exactly. They are rendered with zentrox-capture --pinned-renderer, which sets the
# driver settings that vary between machines (llvmpipe's vector width follows the CPU unless
# pinned, and a machine with a GPU would pick its own driver) and prints each as
# "pinned NAME=VALUE".
#
# golden_frames.txt holds, in order: "environment NAME=VALUE" lines (the settings the capture
# pinned while recording, which it must pin alike now), one "renderer ..." line (the driver the
# capture named), and one "seed=S t=T MD5" line per frame, MD5 being that of the frame's
# decoded RGB pixels.

# Runs one capture into $work/$1 with the remaining arguments, then appends one line per frame
# to $work/sums: "seed=S t=T MD5", the times given by $2 (first) and $3 (step).
# Fails, with the capture's log on stderr, when the capture fails or writes no frame.
golden_capture() {
  local name=$1 first=$2 step=$3 seed=$4
  shift 4
  if ! "$capture" --data "$data" --pinned-renderer --seed "$seed" --out "$work/$name" "$@" \
    >"$work/$name.log" 2>&1; then
    cat "$work/$name.log" >&2
    echo "FAIL: the capture $* failed" >&2
    return 1
  fi
  grep '^renderer ' "$work/$name.log" >>"$work/renderers"
  grep '^pinned ' "$work/$name.log" >>"$work/pins"
  ffmpeg -v error -i "$work/$name/frame_%06d.png" -f framemd5 - |
    awk -v first="$first" -v step="$step" -v seed="$seed" \
      '!/^#/ { printf "seed=%s t=%g %s\n", seed, first + step * n++, $NF }' >>"$work/sums"
  find "$work/$name" -name 'frame_*.png' | LC_ALL=C sort >>"$work/files"
}

# The overlaps of the timeline and the instant 15 s with no compose step, seconds.
golden_overlaps="9.95 15 84.95 87.95 119.95 122.95 185"

# Every compared frame, in the file's order: the whole timeline at 1 fps (0.5 s, 1.5 s, ...),
# the overlaps of the timeline and the instant 15 s with no compose step, each as the single
# frame of its time on the 60 fps grid, the held closing picture, and the tile dissolve under a
# second seed.
golden_frames() {
  : >"$work/sums"
  : >"$work/files"  # the PNG file of each line of sums
  : >"$work/renderers"
  : >"$work/pins"
  golden_capture whole 0.5 1 1 --fps 1 --from 0.5 || return 1
  local at
  for at in $golden_overlaps; do
    golden_capture "at-$at" "$at" 0 1 --at "$at" || return 1
  done
  golden_capture seed2 10.5 1 2 --fps 1 --from 10.5 --to 15 || return 1
}

# The renderer every capture named, or nothing when they named none or differing ones.
golden_renderer() {
  sort -u "$work/renderers" | awk 'END { if (NR == 1) print }'
}

# The settings the captures pinned, as the file's "environment NAME=VALUE" lines, in order.
golden_environment() {
  awk '!seen[$0]++ { sub(/^pinned /, "environment "); print }' "$work/pins"
}
