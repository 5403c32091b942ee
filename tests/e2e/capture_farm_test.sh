#!/usr/bin/env bash
# A capture split into spans and joined again equals the same capture made in one process:
# without loss the joined video's decoded frames are the single capture's exactly, and its
# frames are the rendered PNG pixels; at the default lossy setting the join has every frame at
# its time, within the encoder's loss. The join names a span that is missing, cut short or of
# the wrong length and writes nothing. scripts/capture-farm does the same on this machine's cores
# and, through a stand-in for ssh that runs the commands here, on "other machines" that
# generate their own data tree. A span killed in the middle, or a machine dropping its job, is
# retried; Ctrl-C leaves nothing behind.
set -uo pipefail

capture=$(realpath "$1")
generator=$(realpath "$2")
data=$(realpath "$3")
farm=$(cd "$(dirname "$0")/../.." && pwd)/scripts/capture-farm
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
failures=0
fail() { echo "FAIL: $*" >&2; failures=$((failures + 1)); }

range=(--from 84 --to 86 --fps 30)  # the cross-fade from the laboratory into the tunnel
run() {
  "$capture" --data "$data" "$@" >"$work/run.log" 2>&1 ||
    { fail "zentrox-capture $* failed: $(tail -n 5 "$work/run.log")"; return 1; }
}
# The MD5 of every decoded frame of a video's (or a PNG sequence's) pictures, as RGB.
frame_sums() {
  ffmpeg -v error -nostdin -i "$1" -map 0:v:0 -pix_fmt rgb24 -f framemd5 - | awk '!/^#/ { print $NF }'
}
audio_sums() { ffmpeg -v error -nostdin -i "$1" -map 0:a:0 -c copy -f framemd5 - | awk '!/^#/ { print $NF }'; }
count() { ffprobe -v error -count_frames -select_streams v:0 -show_entries stream=nb_read_frames -of csv=p=0 "$1"; }

# One process, without loss: the video's pictures are the rendered pixels.
run "${range[@]}" --lossless --video "$work/single.mp4" --out "$work/frames" || exit 1
frame_sums "$work/single.mp4" >"$work/single.sums"
frame_sums "$work/frames/frame_%06d.png" >"$work/png.sums"
[ "$(wc -l <"$work/single.sums")" = 60 ] || fail "the single capture has $(wc -l <"$work/single.sums") frames"
cmp -s "$work/single.sums" "$work/png.sums" || fail "the lossless video's frames are not the PNG pixels"

# Three spans, joined by stream copy, equal the single capture; so does the sound.
for k in 1 2 3; do
  run "${range[@]}" --lossless --span "$k/3" --video "$work/part$k.mp4"
  [ -z "$(ffprobe -v error -select_streams a -show_entries stream=index -of csv=p=0 "$work/part$k.mp4")" ] ||
    fail "span $k has sound"
done
run "${range[@]}" --join "$work/joined.mp4" "$work/part1.mp4" "$work/part2.mp4" "$work/part3.mp4"
frame_sums "$work/joined.mp4" | cmp -s - "$work/single.sums" ||
  fail "the joined lossless video differs from the single capture"
audio_sums "$work/joined.mp4" | cmp -s - <(audio_sums "$work/single.mp4") ||
  fail "the joined video's sound differs from the single capture's"

# The default lossy encoding: every frame at its time, each within the encoder's loss.
run "${range[@]}" --video "$work/single-lossy.mp4"
for k in 1 2; do run "${range[@]}" --span "$k/2" --video "$work/lossy$k.mp4"; done
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

# The farm on this machine's cores, to a video and to frames.
ZENTROX_CAPTURE=$capture "$farm" --data "$data" "${range[@]}" --lossless --jobs 2 --spans 3 \
  --video "$work/farm.mp4" --out "$work/farm-frames" >"$work/farm.log" 2>&1 ||
  fail "the farm failed: $(cat "$work/farm.log")"
frame_sums "$work/farm.mp4" | cmp -s - "$work/single.sums" || fail "the farm's video differs"
frame_sums "$work/farm-frames/frame_%06d.png" | cmp -s - "$work/png.sums" || fail "the farm's frames differ"

# The farm on two "machines": the stand-in ssh runs each command here, in the run folder GNU
# parallel makes, with the programs on the PATH it is given.
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
printf '1/alpha\n1/beta\n' >"$work/machines"
ZENTROX_CAPTURE=$capture "$farm" --data "$data" "${range[@]}" --lossless --spans 3 \
  --sshloginfile "$work/machines" --ssh "$work/ssh" --remote-bin "$work/bin" \
  --remote-cache "$work/cache" --video "$work/remote.mp4" >"$work/remote.log" 2>&1 ||
  fail "the farm over ssh failed: $(cat "$work/remote.log")"
frame_sums "$work/remote.mp4" | cmp -s - "$work/single.sums" || fail "the farm over ssh differs"
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
# span 2's first run starts its capture and is killed with it a moment later.
cat >"$work/dying-capture" <<EOF
#!/bin/sh
case " \$* " in
  *" --span 2/3 "*)
    if mkdir "$work/killed-once" 2>/dev/null; then
      "$capture" "\$@" & sleep 1; kill -KILL \$! \$\$
    fi ;;
esac
exec "$capture" "\$@"
EOF
chmod +x "$work/dying-capture"
ZENTROX_CAPTURE=$work/dying-capture "$farm" --data "$data" "${range[@]}" --lossless --jobs 2 \
  --spans 3 --video "$work/retried.mp4" >"$work/retried.log" 2>&1 ||
  fail "a killed span was not retried: $(cat "$work/retried.log")"
[ -d "$work/killed-once" ] || fail "the stand-in never killed its span"
frame_sums "$work/retried.mp4" | cmp -s - "$work/single.sums" || fail "the retried farm's video differs"

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
# foreground job has it.)
mkdir -p "$work/tmp" "$work/interrupted"
TMPDIR=$work/tmp ZENTROX_CAPTURE=$capture setsid perl -e '$SIG{INT} = "DEFAULT"; exec @ARGV' \
  "$farm" --data "$data" "${range[@]}" --jobs 2 --spans 3 --video "$work/interrupted/out.mp4" >"$work/interrupted.log" 2>&1 &
farm_pid=$!
for _ in $(seq 100); do
  pgrep -f -- "--span [0-9]/3 .*$work/tmp" >/dev/null && break
  sleep 0.1
done
sleep 1
kill -INT -- -"$farm_pid"
for _ in $(seq 300); do kill -0 "$farm_pid" 2>/dev/null || break; sleep 0.1; done
wait "$farm_pid"
code=$?
[ "$code" -ne 0 ] || fail "the interrupted farm reported success"
grep -q "interrupted; nothing was written" "$work/interrupted.log" ||
  fail "the interrupted farm did not say so: $(cat "$work/interrupted.log")"
[ -z "$(ls -A "$work/interrupted")" ] || fail "the interrupted farm left: $(ls -A "$work/interrupted")"
[ -z "$(ls -A "$work/tmp")" ] || fail "the interrupted farm left its work: $(ls -A "$work/tmp")"
sleep 1
! pgrep -f -- "$work/tmp" >/dev/null || fail "processes of the interrupted farm go on"

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
ZENTROX_CAPTURE=$capture "$farm" --data "$data" --from 84 --to 84.1 --fps 30 --jobs 2 --spans 8 \
  --out "$work/few" >"$work/few.log" 2>&1 || fail "8 spans of 3 frames failed: $(cat "$work/few.log")"
grep -q "^spans: 3 " "$work/few.log" || fail "8 spans of 3 frames were not cut to 3: $(cat "$work/few.log")"

[ "$failures" -eq 0 ] && echo "spans, joins and the farm match the single capture"
exit $((failures > 0))
