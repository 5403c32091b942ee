#!/usr/bin/env bash
# zentrox-data refuses, with a message naming the problem and a non-zero exit, to run without
# an output folder or into one that cannot exist.
set -uo pipefail

generator=$1
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
failures=0
fail() { echo "FAIL: $*" >&2; failures=$((failures + 1)); }

expect_refusal() {
  local what=$1 pattern=$2; shift 2
  "$generator" "$@" >"$work/out.log" 2>"$work/err.log"
  local code=$?
  [ "$code" -ne 0 ] || fail "$what: exit code 0"
  grep -q "^zentrox-data: " "$work/err.log" || fail "$what: no message: $(cat "$work/err.log")"
  grep -q -- "$pattern" "$work/err.log" || fail "$what: message lacks '$pattern': $(cat "$work/err.log")"
}

expect_refusal "no argument" "usage: zentrox-data OUTDIR"
expect_refusal "two arguments" "usage: zentrox-data OUTDIR" "$work/a" "$work/b"
touch "$work/file"
expect_refusal "output inside a regular file" "$work/file/out" "$work/file/out"
expect_refusal "output is a regular file" "$work/file" "$work/file"

if [ "$failures" -ne 0 ]; then
  echo "$failures failed" >&2
  exit 1
fi
echo "refusals: all refused with a message"
