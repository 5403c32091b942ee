#!/usr/bin/env bash
# The capture tool as users run it: one frame to a PNG file, clear failures for bad options and
# for an output it cannot write, and videos through ffmpeg whose sound starts at demo time
# --from to the sample.
set -uo pipefail

capture=$1
source "$(dirname "$0")/e2e_helpers.sh"

mkdir -p "$work/data"
if "$capture" --data "$work/data" --at 5 --out "$work/frames" >"$work/out.log" 2>&1; then
  count=$(find "$work/frames" -name 'frame_*.png' | wc -l)
  [ "$count" = "1" ] || fail "--at 5 wrote $count frames"
  [ -f "$work/frames/frame_000000.png" ] || fail "frame_000000.png missing"
  file "$work/frames/frame_000000.png" | grep -q 'PNG image data, 800 x 600' ||
    fail "not an 800x600 PNG: $(file "$work/frames/frame_000000.png")"
  grep -q '^frames 1,' "$work/out.log" || fail "no summary: $(cat "$work/out.log")"
else
  fail "--at 5 failed: $(cat "$work/out.log")"
fi

# The report: start-up, steps and peak memory always; the kernels only with --profile.
if "$capture" --data "$work/data" --from 20 --to 20.5 --fps 4 --profile >"$work/profile.log" 2>&1; then
  for line in '^start-up [0-9.]* ms' '^steps$' '^  deform scene  ' '^  show deform  ' '^kernels$' \
    '^peak resident memory [0-9.]* MB$'; do
    grep -q "$line" "$work/profile.log" || fail "--profile report lacks '$line': $(cat "$work/profile.log")"
  done
else
  fail "--profile failed: $(cat "$work/profile.log")"
fi
grep -q '^kernels$' "$work/out.log" && fail "kernels reported without --profile"

# A relative --out means the caller's folder, even with --data.
(cd "$work" && "$capture" --data data --from 1 --to 1.1 --fps 20 --out relative >/dev/null 2>&1) ||
  fail "short range capture failed"
[ "$(find "$work/relative" -name 'frame_*.png' | wc -l)" = "2" ] || fail "--from 1 --to 1.1 --fps 20 did not write 2 frames"

expect_refusal() {
  local what=$1; shift
  "$capture" "$@" >"$work/refused.log" 2>&1
  local code=$?
  [ "$code" -ne 0 ] || fail "$what: exit code 0"
  grep -q 'zentrox-capture:' "$work/refused.log" || fail "$what: no message"
}
expect_refusal "bad fps" --fps zero --at 1
expect_refusal "unknown option" --frames 3
expect_refusal "missing data tree" --data "$work/none" --at 1
touch "$work/file"
expect_refusal "output is a file" --data "$work/data" --at 1 --out "$work/file"
expect_refusal "output inside a file" --data "$work/data" --at 1 --out "$work/file/frames"
# Hostile values of every option with one: zero, negative, not a number, infinite, huge, a range
# or span with no frame in it. None writes anything.
mkdir -p "$work/hostile"
while read -r option value rest; do
  # shellcheck disable=SC2086  # $rest holds further options
  expect_refusal "$option $value $rest" --data "$work/data" "$option" "$value" $rest \
    --out "$work/hostile/frames" --video "$work/hostile/video.mp4"
done <<'EOF'
--fps 0
--fps -30
--fps nan
--fps inf
--fps 1e308
--fps 1e-300 --to 1
--from -5
--from nan
--from 1e308
--from 10 --to 10
--to -inf
--to 0
--at 190
--at -0.5
--at 1e12
--span 0/3
--span 4/3
--span 99999999999999999999/1
--span 1/3 --from 10 --to 10.05 --fps 30
--size 0x0
--size -800x600
--size 800xnan
--size 99999x99999
--shutter 0
--shutter -1
--shutter 1e9
--seed nan
--seed -1
--seed 99999999999999999999
--data
EOF
[ -z "$(ls -A "$work/hostile")" ] || fail "hostile options left: $(ls -A "$work/hostile")"

# Videos. Data trees whose music is a known sound: a steady tone, and silence with a tone that
# starts at exactly 3 s, so that the video's sound shows where it was cut.
probe() { ffprobe -v error -select_streams "$2" -show_entries "stream=$3" -of csv=p=0 "$1"; }
# Seconds from the start of the video's sound to its first loud sample (above ~0.12 full scale).
onset() {
  ffmpeg -v error -nostdin -i "$1" -map 0:a:0 -f s16le -ac 1 -ar 44100 - | od -An -v -t d2 -w2 |
    awk '{ v = $1 < 0 ? -$1 : $1 } !found && v > 4000 { at = (NR - 1) / 44100; found = 1 }
         END { if (found) printf "%.5f\n", at; else print "none" }'
}
# Whether two numbers lie within $3 of each other; anything that is not a number is not near.
near() {
  awk -v a="$1" -v b="$2" -v d="$3" 'BEGIN {
    number = "^-?[0-9]+([.][0-9]*)?([eE][-+]?[0-9]+)?$"
    if (a !~ number || b !~ number) exit 1
    x = a - b; exit !(x <= d && -x <= d) }'
}
mkdir -p "$work/tone/Sounds" "$work/onset/Sounds"
ffmpeg -v error -nostdin -f lavfi -i sine=frequency=440:duration=90 -ac 2 -ar 44100 \
  -c:a libmp3lame -b:a 192k "$work/tone/Sounds/Crunch.mp3" || fail "cannot make the tone"
ffmpeg -v error -nostdin -f lavfi -i "aevalsrc='if(gte(t,3),0.5*sin(2*PI*440*t),0)':s=44100:d=6" \
  -ac 2 -c:a libmp3lame -b:a 192k "$work/onset/Sounds/Crunch.mp3" || fail "cannot make the onset"

if "$capture" --data "$work/tone" --from 80 --to 83 --fps 30 --video "$work/three.mp4" \
    >"$work/video.log" 2>"$work/video.err"; then
  video=$(ffprobe -v error -count_frames -select_streams v:0 \
    -show_entries stream=codec_name,width,height,pix_fmt,nb_read_frames -of csv=p=0 "$work/three.mp4")
  [ "$video" = "h264,800,600,yuv420p,90" ] || fail "3 s video stream: '$video'"
  [ "$(probe "$work/three.mp4" a:0 codec_name)" = "aac" ] || fail "no AAC sound"
  audio=$(probe "$work/three.mp4" a:0 duration)
  near "$audio" 3.0 0.05 || fail "3 s video has $audio s of sound"
  loudest=$(ffmpeg -v info -nostdin -i "$work/three.mp4" -map 0:a -af volumedetect -f null - 2>&1 |
    sed -n 's/.*max_volume: \(-*[0-9.]*\) dB/\1/p')
  # The tone peaks near -21 dB; silence would read about -91 dB.
  awk -v l="${loudest:--99}" 'BEGIN { exit !(l > -30) }' ||
    fail "the tone is not in the sound: max volume '$loudest' dB"
  grep -qx 'wrote video .*three.mp4 (90 frames, 3.000 s)' "$work/video.log" ||
    fail "no video line: $(cat "$work/video.log")"
  # stdout holds the capture's report alone, nothing from ffmpeg.
  ! grep -qv -e '^renderer ' -e '^start-up ' -e '^seek ' -e '^frames ' -e '^steps$' -e '^outputs$' -e '^  ' \
    -e '^peak resident memory ' -e '^wrote video ' "$work/video.log" ||
    fail "stray output: $(cat "$work/video.log")"
  [ ! -s "$work/video.err" ] || fail "stderr of a clean capture: $(cat "$work/video.err")"
else
  fail "3 s video failed: $(cat "$work/video.err")"
fi

# From 2 s, the tone at 3 s is heard 1 s into the video, at a frame rate that is not whole, with
# PNG files beside the video, into a name a shell would split.
odd="$work/it's a \"clip\".mp4"
if "$capture" --data "$work/onset" --from 2 --to 4 --fps 29.97 --video "$odd" \
    --out "$work/onset_frames" >"$work/onset.log" 2>&1; then
  at=$(onset "$odd")
  near "$at" 1.0 0.03 || fail "tone heard at $at s of the video, not 1.0 s"
  [ "$(probe "$odd" v:0 r_frame_rate)" = "2997/100" ] || fail "frame rate $(probe "$odd" v:0 r_frame_rate)"
  frames=$(ffprobe -v error -count_frames -select_streams v:0 -show_entries stream=nb_read_frames \
    -of csv=p=0 "$odd")
  [ "$frames" = "60" ] || fail "29.97 fps video from 2 to 4 s has $frames frames"
  [ "$(find "$work/onset_frames" -name 'frame_*.png' | wc -l)" = "60" ] || fail "PNGs beside the video"
  near "$(probe "$odd" a:0 duration)" "$(probe "$odd" v:0 duration)" 0.001 ||
    fail "sound and picture differ: $(probe "$odd" a:0 duration) s and $(probe "$odd" v:0 duration) s"
else
  fail "onset video failed: $(cat "$work/onset.log")"
fi

# Without music the video still has a sound track of its full length, and says it is silent.
if "$capture" --data "$work/data" --from 1 --to 2 --fps 10 --video "$work/silent.mp4" \
    >/dev/null 2>"$work/silent.err"; then
  grep -q 'warning: .*silent' "$work/silent.err" || fail "no silence warning: $(cat "$work/silent.err")"
  near "$(probe "$work/silent.mp4" a:0 duration)" 1.0 0.05 || fail "silent video's sound length"
else
  fail "video without music failed: $(cat "$work/silent.err")"
fi

# Failures name ffmpeg or the file, exit non-zero and leave no file behind.
expect_video_refusal() {
  local what=$1 pattern=$2; shift 2
  "$@" >"$work/refused.log" 2>&1
  local code=$?
  [ "$code" -ne 0 ] || fail "$what: exit code 0"
  grep -q "zentrox-capture: .*$pattern" "$work/refused.log" ||
    fail "$what: message does not say '$pattern': $(cat "$work/refused.log")"
}
mkdir -p "$work/nothing" "$work/refusals"
expect_video_refusal "ffmpeg not on PATH" "ffmpeg: not found on PATH" env PATH="$work/nothing" \
  "$capture" --data "$work/data" --at 1 --video "$work/refusals/a.mp4"
expect_video_refusal "ffmpeg path wrong" "$work/nothing/ffmpeg" env ZENTROX_FFMPEG="$work/nothing/ffmpeg" \
  "$capture" --data "$work/data" --at 1 --video "$work/refusals/a.mp4"
printf '#!/bin/sh\ncat >/dev/null\necho "stand-in encoder fails" >&2\nexit 3\n' >"$work/nothing/failing"
chmod +x "$work/nothing/failing"
echo "older video" >"$work/refusals/kept.mp4"
expect_video_refusal "ffmpeg failing" "exit code 3" env ZENTROX_FFMPEG="$work/nothing/failing" \
  "$capture" --data "$work/data" --from 1 --to 1.5 --video "$work/refusals/kept.mp4"
[ "$(cat "$work/refusals/kept.mp4")" = "older video" ] || fail "a failed encode replaced the video"
expect_video_refusal "video inside a file" "cannot write $work/file/a.mp4" \
  "$capture" --data "$work/data" --at 1 --video "$work/file/a.mp4"
expect_video_refusal "video in a missing folder" "cannot write $work/none/a.mp4" \
  "$capture" --data "$work/data" --at 1 --video "$work/none/a.mp4"
expect_video_refusal "video onto a folder" "directory" \
  "$capture" --data "$work/data" --at 1 --video "$work/refusals"
[ "$(ls -A "$work/refusals")" = "kept.mp4" ] || fail "left behind: $(ls -A "$work/refusals")"

finish "capture tests passed"
