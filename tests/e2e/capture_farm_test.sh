#!/usr/bin/env bash
# A capture split into spans and joined again equals the same capture made in one process:
# without loss the joined video's decoded frames are the single capture's exactly, and its
# frames are the rendered PNG pixels; at the default lossy setting the join has every frame at
# its time, within the encoder's loss. The join names a span that is missing, cut short, of
# the wrong length or drawn by another renderer, and writes nothing. scripts/capture-farm does
# the same on this machine's cores and, through a stand-in for ssh that runs the commands here,
# on "other machines" that generate their own data tree; its spans run on the pinned renderer
# even where a span's own would differ, and with each machine's own renderer
# (--native-renderer) spans of differing renderers are refused by name. A span killed in the
# middle, or a machine dropping its job, is retried; Ctrl-C leaves nothing behind, with --video
# and with --out.
set -uo pipefail

capture=$(realpath "$1")
generator=$(realpath "$2")
data=$(realpath "$3")
farm=$(cd "$(dirname "$0")/../.." && pwd)/scripts/capture-farm
source "$(dirname "$0")/e2e_helpers.sh"

range=(--from 84 --to 86 --fps 30)  # the cross-fade from the laboratory into the tunnel
# A capture on the pinned renderer, as the farm's spans run.
render() { run --pinned-renderer "$@"; }
# What a video records as its renderer.
video_renderer() {
  ffprobe -v error -show_entries format_tags=zentrox_renderer -of default=noprint_wrappers=1:nokey=1 "$1"
}
# The MD5 of every decoded frame of a video's (or a PNG sequence's) pictures, as RGB.
frame_sums() {
  ffmpeg -v error -nostdin -i "$1" -map 0:v:0 -pix_fmt rgb24 -f framemd5 - | awk '!/^#/ { print $NF }'
}
audio_sums() { ffmpeg -v error -nostdin -i "$1" -map 0:a:0 -c copy -f framemd5 - | awk '!/^#/ { print $NF }'; }
count() { ffprobe -v error -count_frames -select_streams v:0 -show_entries stream=nb_read_frames -of csv=p=0 "$1"; }

# One process, without loss: the video's pictures are the rendered pixels. The video and the
# frames' folder record the renderer the capture named.
render "${range[@]}" --lossless --video "$work/single.mp4" --out "$work/frames" || exit 1
pinned=$(sed -n 's/^renderer //p' "$work/run.log")
case $pinned in *"256 bits)") ;; *) fail "the pinned renderer is '$pinned'" ;; esac
[ "$(video_renderer "$work/single.mp4")" = "$pinned" ] ||
  fail "the video records the renderer '$(video_renderer "$work/single.mp4")', not '$pinned'"
[ "$(cat "$work/frames/renderer.txt")" = "$pinned" ] ||
  fail "the frames' folder records the renderer '$(cat "$work/frames/renderer.txt")'"
frame_sums "$work/single.mp4" >"$work/single.sums"
frame_sums "$work/frames/frame_%06d.png" >"$work/png.sums"
[ "$(wc -l <"$work/single.sums")" = 60 ] || fail "the single capture has $(wc -l <"$work/single.sums") frames"
cmp -s "$work/single.sums" "$work/png.sums" || fail "the lossless video's frames are not the PNG pixels"

# Three spans, joined by stream copy, equal the single capture; so does the sound.
for k in 1 2 3; do
  render "${range[@]}" --lossless --span "$k/3" --video "$work/part$k.mp4"
  [ -z "$(ffprobe -v error -select_streams a -show_entries stream=index -of csv=p=0 "$work/part$k.mp4")" ] ||
    fail "span $k has sound"
done
run "${range[@]}" --join "$work/joined.mp4" "$work/part1.mp4" "$work/part2.mp4" "$work/part3.mp4"
frame_sums "$work/joined.mp4" | cmp -s - "$work/single.sums" ||
  fail "the joined lossless video differs from the single capture"
audio_sums "$work/joined.mp4" | cmp -s - <(audio_sums "$work/single.mp4") ||
  fail "the joined video's sound differs from the single capture's"
[ "$(video_renderer "$work/joined.mp4")" = "$pinned" ] ||
  fail "the joined video records the renderer '$(video_renderer "$work/joined.mp4")'"

# The default lossy encoding: every frame at its time, each within the encoder's loss.
render "${range[@]}" --video "$work/single-lossy.mp4"
for k in 1 2; do render "${range[@]}" --span "$k/2" --video "$work/lossy$k.mp4"; done
run "${range[@]}" --join "$work/joined-lossy.mp4" "$work/lossy1.mp4" "$work/lossy2.mp4"
[ "$(count "$work/joined-lossy.mp4")" = 60 ] || fail "the lossy join has $(count "$work/joined-lossy.mp4") frames"
ffprobe -v error -select_streams v:0 -show_entries frame=pts_time -of csv=p=0 "$work/joined-lossy.mp4" |
  awk -F, 'NF { d = $1 - n / 30; n++; if (d < 0) d = -d; if (d > 1e-4) bad++ }
           END { exit bad > 0 || n != 60 }' ||
  fail "the lossy join's frames are not every 1/30 s from 0"
psnr=$(ffmpeg -v info -nostdin -i "$work/joined-lossy.mp4" -i "$work/single-lossy.mp4" \
  -lavfi "[0:v][1:v]psnr" -f null - 2>&1 | sed -n 's/.*average:\([0-9.]*\).*/\1/p')
echo "lossy join against the single lossy capture: PSNR $psnr dB"
awk -v p="${psnr:-0}" 'BEGIN { exit !(p > 40) }' || fail "the lossy join's PSNR is only '$psnr' dB"

# The join refuses bad spans by name and leaves no output behind.
expect_refusal() {
  local what=$1 pattern=$2; shift 2
  "$capture" --data "$data" "${range[@]}" --join "$work/refused.mp4" "$@" >"$work/refused.log" 2>&1 &&
    fail "$what: the join succeeded"
  grep -q "$pattern" "$work/refused.log" || fail "$what: no '$pattern' in: $(cat "$work/refused.log")"
  [ ! -e "$work/refused.mp4" ] || fail "$what: an output was left"
  [ -z "$(find "$work" -maxdepth 1 -name '.refused.mp4.*')" ] || fail "$what: a partial file was left"
}
expect_refusal "missing span" "span 2 of 3 (.*none.mp4) is missing" \
  "$work/part1.mp4" "$work/none.mp4" "$work/part3.mp4"
head -c 20000 "$work/part2.mp4" >"$work/cut.mp4"
expect_refusal "span cut short" "span 2 of 3 (.*cut.mp4) cannot be read to its end" \
  "$work/part1.mp4" "$work/cut.mp4" "$work/part3.mp4"
expect_refusal "wrong share" "span 1 of 2 (.*part1.mp4) holds 20 frames where its share is 30" \
  "$work/part1.mp4" "$work/part2.mp4"
# Span 2 drawn as on a CPU with 128-bit vectors, unpinned: named with its renderer, beside the
# one the other spans share.
LP_NATIVE_VECTOR_WIDTH=128 run "${range[@]}" --lossless --span 2/3 --video "$work/narrow2.mp4"
expect_refusal "another renderer" \
  "span 2 of 3 (.*narrow2.mp4) by 'llvmpipe ([^']*128 bits)'; the others by '$pinned'" \
  "$work/part1.mp4" "$work/narrow2.mp4" "$work/part3.mp4"

# A stand-in capture whose span 2 would draw with 128-bit vectors, as on an older CPU.
cat >"$work/narrow-capture" <<EOF
#!/bin/sh
case " \$* " in *" --span 2/3 "*) export LP_NATIVE_VECTOR_WIDTH=128 ;; esac
exec "$capture" "\$@"
EOF
chmod +x "$work/narrow-capture"

# The farm on this machine's cores, to a video and to frames: every span, span 2 included, runs
# on the pinned renderer, so the spans match and nothing is refused.
ZENTROX_CAPTURE=$work/narrow-capture "$farm" --data "$data" "${range[@]}" --lossless --jobs 2 \
  --spans 3 --video "$work/farm.mp4" --out "$work/farm-frames" >"$work/farm.log" 2>&1 ||
  fail "the farm failed: $(cat "$work/farm.log")"
frame_sums "$work/farm.mp4" | cmp -s - "$work/single.sums" || fail "the farm's video differs"
frame_sums "$work/farm-frames/frame_%06d.png" | cmp -s - "$work/png.sums" || fail "the farm's frames differ"
[ "$(video_renderer "$work/farm.mp4")" = "$pinned" ] || fail "the farm's video records another renderer"
[ "$(ls -A "$work/farm-frames" | grep -cv '^frame_......\.png$')" = 1 ] &&
  [ "$(cat "$work/farm-frames/renderer.txt")" = "$pinned" ] ||
  fail "the farm's frames folder holds: $(ls -A "$work/farm-frames" | grep -v '^frame_')"

# With each machine's own renderer, span 2 is drawn by another one: it is named with its
# renderer, and neither the video nor the frames' folder appears, nor the stage beside it.
mkdir -p "$work/native"
LP_NATIVE_VECTOR_WIDTH=256 ZENTROX_CAPTURE=$work/narrow-capture "$farm" --data "$data" \
  --from 84 --to 84.5 --fps 10 --jobs 2 --spans 3 --native-renderer --video "$work/native/out.mp4" \
  --out "$work/native/frames" >"$work/native.log" 2>&1 && fail "spans of two renderers were joined"
grep -q "^capture-farm: span 2/3 was drawn by 'llvmpipe ([^']*128 bits)'$" "$work/native.log" &&
  grep -q "^capture-farm: the other spans were drawn by 'llvmpipe ([^']*256 bits)'$" "$work/native.log" ||
  fail "the span of another renderer is not named: $(cat "$work/native.log")"
[ -z "$(ls -A "$work/native")" ] || fail "refused spans left: $(ls -A "$work/native")"

# The farm on two "machines": the stand-in ssh runs each command here, in the run folder GNU
# parallel makes, with the programs on the PATH it is given. Machine beta's llvmpipe would draw
# with 128-bit vectors.
mkdir -p "$work/bin"
ln -s "$capture" "$work/bin/zentrox-capture"
ln -s "$generator" "$work/bin/zentrox-data"
cat >"$work/ssh" <<'EOF'
#!/bin/sh
# Stands in for ssh: skips the options and the host, then runs the command here, with the
# SHELL a login on the machine has (GNU parallel's remote side runs the job through it).
while [ $# -gt 0 ]; do case $1 in -l | -p | -o | -S) shift 2 ;; -*) shift ;; *) break ;; esac; done
shift
[ "${1-}" = "--" ] && shift
SHELL=$(getent passwd "$(id -u)" | cut -d: -f7)
export SHELL="${SHELL:-/bin/sh}"
exec sh -c "$*"
EOF
chmod +x "$work/ssh"
cat >"$work/mixed-ssh" <<EOF
#!/bin/sh
for argument; do [ "\$argument" = beta ] && export LP_NATIVE_VECTOR_WIDTH=128; done
exec "$work/ssh" "\$@"
EOF
chmod +x "$work/mixed-ssh"
printf '1/alpha\n1/beta\n' >"$work/machines"
ZENTROX_CAPTURE=$capture "$farm" --data "$data" "${range[@]}" --lossless --spans 3 \
  --sshloginfile "$work/machines" --ssh "$work/mixed-ssh" --remote-bin "$work/bin" \
  --remote-cache "$work/cache" --video "$work/remote.mp4" --out "$work/remote-frames" \
  >"$work/remote.log" 2>&1 || fail "the farm over ssh failed: $(cat "$work/remote.log")"
frame_sums "$work/remote.mp4" | cmp -s - "$work/single.sums" || fail "the farm over ssh differs"
frame_sums "$work/remote-frames/frame_%06d.png" | cmp -s - "$work/png.sums" ||
  fail "the frames of the farm over ssh differ"
[ "$(cat "$work/remote-frames/renderer.txt")" = "$pinned" ] ||
  fail "the frames brought back record the renderer '$(cat "$work/remote-frames/renderer.txt")'"
# Unpinned, the spans that ran on one machine are named with it and their renderer.
mkdir -p "$work/remote-native"
LP_NATIVE_VECTOR_WIDTH=256 ZENTROX_CAPTURE=$capture "$farm" --data "$data" --from 84 --to 84.5 \
  --fps 10 --spans 3 --native-renderer --sshloginfile "$work/machines" --ssh "$work/mixed-ssh" \
  --remote-bin "$work/bin" --remote-cache "$work/cache" --out "$work/remote-native/frames" \
  >"$work/remote-native.log" 2>&1 && fail "spans of two machines' renderers were gathered"
grep -qE "^capture-farm: span [1-3]/3 on (alpha|beta) was drawn by 'llvmpipe \([^']*(128|256) bits\)'$" \
  "$work/remote-native.log" || fail "no span is named with its machine: $(cat "$work/remote-native.log")"
[ -z "$(ls -A "$work/remote-native")" ] || fail "refused spans left: $(ls -A "$work/remote-native")"
[ "$(find "$work/cache" -mindepth 1 -maxdepth 1 | wc -l)" = 1 ] ||
  fail "the machines' cache holds: $(ls "$work/cache")"

# A span that fails is named, and no output appears.
cat >"$work/failing-capture" <<EOF
#!/bin/sh
case " \$* " in *" --span 2/3 "*) echo "stand-in capture fails" >&2; exit 3 ;; esac
exec "$capture" "\$@"
EOF
chmod +x "$work/failing-capture"
ZENTROX_CAPTURE=$work/failing-capture "$farm" --data "$data" "${range[@]}" --jobs 2 --spans 3 \
  --retries 1 --video "$work/failed.mp4" >"$work/failed.log" 2>&1 && fail "a failing span passed"
grep -q "span 2/3 failed on : (exit 3" "$work/failed.log" ||
  fail "the failing span is not named: $(cat "$work/failed.log")"
[ ! -e "$work/failed.mp4" ] || fail "a failed farm left an output"

# A span job killed in the middle is retried, and the result is still the single capture's:
# span 2's first try runs its capture until 5 of its 20 frames are in its folder, stops it there
# to count them, and is killed with it.
cat >"$work/dying-capture" <<EOF
#!/bin/sh
case " \$* " in
  *" --span 2/3 "*)
    if mkdir "$work/killed-once" 2>/dev/null; then
      frames=
      previous=
      for argument; do [ "\$previous" = --out ] && frames=\$argument; previous=\$argument; done
      written() { find "\$frames" -maxdepth 1 -name 'frame_*.png' 2>/dev/null | wc -l; }
      "$capture" "\$@" &
      capture=\$!
      tries=0
      # A generous hang guard: 20 minutes of polls.
      while [ "\$(written)" -lt 5 ] && [ "\$tries" -lt 12000 ]; do sleep 0.1; tries=\$((tries + 1)); done
      kill -STOP \$capture
      written >"$work/killed-once/frames"
      kill -KILL \$capture \$\$
    fi ;;
esac
exec "$capture" "\$@"
EOF
chmod +x "$work/dying-capture"
ZENTROX_CAPTURE=$work/dying-capture "$farm" --data "$data" "${range[@]}" --lossless --jobs 2 \
  --spans 3 --video "$work/retried.mp4" --out "$work/retried-frames" >"$work/retried.log" 2>&1 ||
  fail "a killed span was not retried: $(cat "$work/retried.log")"
killed_at=$(cat "$work/killed-once/frames" 2>/dev/null)
[ -n "$killed_at" ] && [ "$killed_at" -ge 5 ] && [ "$killed_at" -lt 20 ] ||
  fail "the span was not killed in the middle, but with '$killed_at' of its 20 frames written"
frame_sums "$work/retried.mp4" | cmp -s - "$work/single.sums" || fail "the retried farm's video differs"
frame_sums "$work/retried-frames/frame_%06d.png" | cmp -s - "$work/png.sums" ||
  fail "the retried farm's frames differ"
[ "$(find "$work/retried-frames" -mindepth 1 | wc -l)" = 61 ] ||
  fail "the retried farm's frames folder holds: $(ls -A "$work/retried-frames")"

# A machine that drops its connection in the middle of a job (ssh ends with 255): the job runs
# again, on that machine or another.
cat >"$work/flaky-ssh" <<EOF
#!/bin/sh
case "\$*" in
  *perl*)
    if mkdir "$work/dropped-once" 2>/dev/null; then
      "$work/ssh" "\$@" >/dev/null 2>&1 & sleep 1; kill -KILL \$!; exit 255
    fi ;;
esac
exec "$work/ssh" "\$@"
EOF
chmod +x "$work/flaky-ssh"
ZENTROX_CAPTURE=$capture "$farm" --data "$data" "${range[@]}" --lossless --spans 3 \
  --sshloginfile "$work/machines" --ssh "$work/flaky-ssh" --remote-bin "$work/bin" \
  --remote-cache "$work/cache" --video "$work/dropped.mp4" >"$work/dropped.log" 2>&1 ||
  fail "a dropped machine's span was not retried: $(cat "$work/dropped.log")"
[ -d "$work/dropped-once" ] || fail "the stand-in ssh never dropped a job"
frame_sums "$work/dropped.mp4" | cmp -s - "$work/single.sums" || fail "the farm after a drop differs"

# Ctrl-C in the middle: the terminal sends SIGINT to the whole process group. Nothing appears
# under the output's name, no partial file beside it, no work folder, and no process goes on.
# (A script's background job starts with SIGINT ignored; perl gives it back, as a terminal's
# foreground job has it.) $1 names the folder to watch for frames, if any; the rest are the
# farm's outputs.
interrupt_farm() {
  local watched=$1 code
  shift
  TMPDIR=$work/tmp ZENTROX_CAPTURE=$capture setsid perl -e '$SIG{INT} = "DEFAULT"; exec @ARGV' \
    "$farm" --data "$data" "${range[@]}" --jobs 2 --spans 3 "$@" >"$work/interrupted.log" 2>&1 &
  farm_pid=$!
  # Until a span runs, or has written a frame (a generous hang guard).
  for _ in $(seq 1200); do
    if [ -z "$watched" ]; then
      pgrep -f -- "--span [0-9]/3 .*$work/tmp" >/dev/null && break
    else
      [ -n "$(find "$watched" -name 'frame_*.png' -print -quit)" ] && break
    fi
    sleep 0.1
  done
  [ -n "$watched" ] || sleep 1
  kill -INT -- -"$farm_pid"
  for _ in $(seq 300); do kill -0 "$farm_pid" 2>/dev/null || break; sleep 0.1; done
  wait "$farm_pid"
  code=$?
  [ "$code" = 130 ] || fail "the interrupted farm ($*) exited with $code: $(cat "$work/interrupted.log")"
  grep -q "interrupted; nothing was written" "$work/interrupted.log" ||
    fail "the interrupted farm ($*) did not say so: $(cat "$work/interrupted.log")"
  [ -z "$(ls -A "$work/tmp")" ] || fail "the interrupted farm ($*) left its work: $(ls -A "$work/tmp")"
  sleep 1
  ! pgrep -f -- "--span [0-9]/3 .*$work/" >/dev/null || fail "processes of the interrupted farm ($*) go on"
}
mkdir -p "$work/tmp" "$work/interrupted"
interrupt_farm "" --video "$work/interrupted/out.mp4"
[ -z "$(ls -A "$work/interrupted")" ] || fail "the interrupted farm left: $(ls -A "$work/interrupted")"
# With --out the spans had written frames, into the stage: a new folder does not appear, and one
# that was there holds what it held, no frame and no stage.
interrupt_farm "$work/interrupted" --out "$work/interrupted/frames"
[ -z "$(ls -A "$work/interrupted")" ] || fail "the interrupted farm left: $(ls -A "$work/interrupted")"
mkdir -p "$work/kept"
echo "an older file" >"$work/kept/notes.txt"
interrupt_farm "$work/kept" --out "$work/kept"
[ "$(ls -A "$work/kept")" = notes.txt ] && [ "$(cat "$work/kept/notes.txt")" = "an older file" ] ||
  fail "the interrupted farm changed the frames' folder: $(ls -A "$work/kept")"

# Hostile option values are refused with a message and write nothing; more spans than frames
# are cut down to one span a frame.
while read -r args; do
  # shellcheck disable=SC2086  # $args holds several words
  ZENTROX_CAPTURE=$capture "$farm" --data "$data" --from 84 --to 84.1 $args \
    --video "$work/hostile.mp4" >"$work/hostile.log" 2>&1 && fail "farm $args: exit status 0"
  grep -qE '^(capture-farm|zentrox-capture): ' "$work/hostile.log" ||
    fail "farm $args: no message: $(cat "$work/hostile.log")"
done <<'EOF'
--jobs 0
--jobs -2
--jobs 99999999999999999999
--spans 0
--spans 1.5
--retries 0
--threads nan
--fps 0
--fps inf
--from 84.1
--size 0x0
EOF
[ ! -e "$work/hostile.mp4" ] || fail "a refused farm wrote a video"
echo "not a folder" >"$work/file"
ZENTROX_CAPTURE=$capture "$farm" --data "$data" --from 84 --to 84.1 --out "$work/file" \
  >"$work/hostile.log" 2>&1 && fail "the farm wrote frames into a file"
grep -q "^capture-farm: cannot write frames to $work/file: it is not a folder" "$work/hostile.log" ||
  fail "frames into a file: $(cat "$work/hostile.log")"
# Into a folder that holds a file: the frames join it.
mkdir -p "$work/few"
echo "an older file" >"$work/few/notes.txt"
ZENTROX_CAPTURE=$capture "$farm" --data "$data" --from 84 --to 84.1 --fps 30 --jobs 2 --spans 8 \
  --out "$work/few" >"$work/few.log" 2>&1 || fail "8 spans of 3 frames failed: $(cat "$work/few.log")"
grep -q "^spans: 3 " "$work/few.log" || fail "8 spans of 3 frames were not cut to 3: $(cat "$work/few.log")"
[ "$(ls -A "$work/few" | tr '\n' ' ')" = "frame_000000.png frame_000001.png frame_000002.png notes.txt renderer.txt " ] ||
  fail "the frames' folder holds: $(ls -A "$work/few")"

finish "spans, joins and the farm match the single capture"
