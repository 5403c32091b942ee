#!/usr/bin/env bash
# zentrox-data refuses, with a message naming the problem and a non-zero exit, to run without
# an output folder, into one that cannot exist, or to paint an icon of a size it does not make;
# it answers --help and --version, and paints the icon at the sizes the package installs.
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

expect_refusal "no argument" "Usage: zentrox-data OUTDIR"
expect_refusal "two arguments" "Usage: zentrox-data OUTDIR" "$work/a" "$work/b"
expect_refusal "an unknown option" "Usage: zentrox-data OUTDIR" --frobnicate
for size in 0 15 1025 -48 48x nan 99999999999999999999 ""; do
  expect_refusal "icon of size '$size'" "--icon needs a size" --icon "$size" "$work/icon.png"
done
expect_refusal "icon without a file" "--icon needs" --icon 48
[ ! -e "$work/icon.png" ] || fail "a refused icon was written"

"$generator" --help | grep -q "^Usage: zentrox-data OUTDIR" || fail "--help lacks the usage line"
"$generator" --version | grep -qE '^zentrox-data [0-9]+\.[0-9]+\.[0-9]+$' ||
  fail "--version: $("$generator" --version)"
for size in 48 256; do
  "$generator" --icon "$size" "$work/icons/zentrox-$size.png" ||
    fail "the $size-pixel icon was not written"
  file "$work/icons/zentrox-$size.png" | grep -q "PNG image data, $size x $size, 8-bit/color RGBA" ||
    fail "not a $size-pixel RGBA PNG: $(file "$work/icons/zentrox-$size.png")"
done
touch "$work/file"
expect_refusal "output inside a regular file" "$work/file/out" "$work/file/out"
expect_refusal "output is a regular file" "$work/file" "$work/file"

if [ "$failures" -ne 0 ]; then
  echo "$failures failed" >&2
  exit 1
fi
echo "refusals: all refused with a message"
