# shellcheck shell=bash
# Sourced first by every end-to-end test script, after its `set -uo pipefail`: a scratch folder
# that goes away however the script ends, the count of failed checks, and the helpers that
# several scripts share. A script makes every check it can and reports each failure, so one run
# shows all that is wrong; finish then gives the verdict.
#
#   work          the scratch folder
#   on_exit CMD   runs CMD when the script exits, before the scratch folder is removed; the
#                 last registered runs first. CMD is evaluated then, so it sees the variables
#                 as they are at the end (a process started since, say).
#   fail MSG      reports a failed check and counts it; the script goes on
#   abort MSG     reports a failed check and exits at once, for failures that leave nothing
#                 further to check
#   finish MSG    exits 1 with the number of failed checks when there were any, else prints MSG
#                 and exits 0
#
# Below them, what the scripts that drive zentrox-capture share: run, frame, and two measures
# of a picture, pixels and mean_grey.

work=$(mktemp -d) || { echo "FAIL: cannot make a scratch folder" >&2; exit 1; }
failures=0
exit_commands=()

on_exit() { exit_commands=("$1" "${exit_commands[@]}"); }

# The folder goes last: the processes stopped before it may still be writing their logs there.
run_exit_commands() {
  local command
  for command in "${exit_commands[@]}"; do eval "$command"; done
  rm -rf "$work"
}
trap run_exit_commands EXIT

fail() {
  echo "FAIL: $*" >&2
  failures=$((failures + 1))
}

abort() {
  fail "$@"
  finish
}

finish() {
  if [ "$failures" -ne 0 ]; then
    echo "$failures failed" >&2
    exit 1
  fi
  echo "$*"
  exit 0
}

# zentrox-capture on the data tree, with the arguments given; the script sets `capture` and
# `data`. Its output is left in $work/run.log; a failure is reported with the log's end.
run() {
  "$capture" --data "$data" "$@" >"$work/run.log" 2>&1 ||
    { fail "zentrox-capture $* failed: $(tail -n 5 "$work/run.log")"; return 1; }
}

# The file of frame $2 of a capture into the folder $1.
frame() { printf '%s/frame_%06d.png' "$1" "$2"; }

# The MD5 of a picture's decoded RGB pixels: two files of the same picture match whatever their
# encoding.
pixels() { ffmpeg -v error -nostdin -i "$1" -f rawvideo -pix_fmt rgb24 - | md5sum | cut -c1-32; }

# The mean grey level, 0..255, of the area $2 (ffmpeg's crop=W:H:X:Y) of the picture $1.
mean_grey() {
  ffmpeg -v error -nostdin -i "$1" -vf "crop=$2,scale=1:1:flags=area" -f rawvideo -pix_fmt gray - |
    od -An -tu1 | tr -d ' '
}
