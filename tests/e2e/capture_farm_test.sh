#!/usr/bin/env bash
# A capture split into spans and joined again equals the same capture made in one process:
# without loss the joined video's decoded frames are the single capture's exactly, and its
# frames are the rendered PNG pixels; at the default lossy setting the join has every frame at
# its time, within the encoder's loss. The join names a span that is missing, cut short or of
# the wrong length and writes nothing. scripts/capture-farm does the same on this machine's cores
# and, through a stand-in for ssh that runs the commands here, on "other machines" that
# generate their own data tree.
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

[ "$failures" -eq 0 ] && echo "spans, joins and the farm match the single capture"
exit $((failures > 0))
