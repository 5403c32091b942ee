# Sourced by golden_frames_test.sh and scripts/record-golden: which frames of the demo are
# compared exactly, and under which pinned driver settings they are rendered.
#
# golden_frames.txt holds, in order: "environment NAME=VALUE" lines (the settings pinned while
# recording, exported again before every comparison), one "renderer ..." line (the driver the
# capture named), and one "seed=S t=T MD5" line per frame, MD5 being that of the frame's
# decoded RGB pixels.

# What makes llvmpipe's pixels differ between machines: the vector width follows the CPU
# (128 or 256 bits) unless pinned, and a machine with a GPU would pick its own driver.
golden_pins=(
  LIBGL_ALWAYS_SOFTWARE=1
  LP_NATIVE_VECTOR_WIDTH=256
  __EGL_VENDOR_LIBRARY_FILENAMES=/usr/share/glvnd/egl_vendor.d/50_mesa.json
)

# Runs one capture into $work/$1 with the remaining arguments, then appends one line per frame
# to $work/sums: "seed=S t=T MD5", the times given by $2 (first) and $3 (step).
# Fails, with the capture's log on stderr, when the capture fails or writes no frame.
golden_capture() {
  local name=$1 first=$2 step=$3 seed=$4
  shift 4
  if ! "$capture" --data "$data" --seed "$seed" --out "$work/$name" "$@" >"$work/$name.log" 2>&1; then
    cat "$work/$name.log" >&2
    echo "FAIL: the capture $* failed" >&2
    return 1
  fi
  grep '^renderer ' "$work/$name.log" >>"$work/renderers"
  ffmpeg -v error -i "$work/$name/frame_%06d.png" -f framemd5 - |
    awk -v first="$first" -v step="$step" -v seed="$seed" \
      '!/^#/ { printf "seed=%s t=%g %s\n", seed, first + step * n++, $NF }' >>"$work/sums"
  find "$work/$name" -name 'frame_*.png' | LC_ALL=C sort >>"$work/files"
}

# Every compared frame, in the file's order: the whole timeline at 1 fps (0.5 s, 1.5 s, ...),
# the overlaps of the timeline and the instant 15 s with no compose step, each as the single
# frame of its time on the 60 fps grid, the held closing picture, and the tile dissolve under a
# second seed.
golden_frames() {
  : >"$work/sums"
  : >"$work/files"  # the PNG file of each line of sums
  : >"$work/renderers"
  golden_capture whole 0.5 1 1 --fps 1 --from 0.5 || return 1
  local at
  for at in 9.95 15 84.95 87.95 119.95 122.95 185; do
    golden_capture "at-$at" "$at" 0 1 --at "$at" || return 1
  done
  golden_capture seed2 10.5 1 2 --fps 1 --from 10.5 --to 15 || return 1
}

# The renderer every capture named, or nothing when they named none or differing ones.
golden_renderer() {
  sort -u "$work/renderers" | awk 'END { if (NR == 1) print }'
}
