#!/usr/bin/env bash
# The capture tool as users run it: one frame to a PNG file, clear failures for bad options and
# for an output it cannot write.
set -uo pipefail

capture=$1
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
failures=0
fail() { echo "FAIL: $*" >&2; failures=$((failures + 1)); }

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

[ "$failures" -eq 0 ] && echo "capture tests passed"
exit $(( failures > 0 ))
