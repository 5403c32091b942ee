#!/usr/bin/env bash
# The whole timeline played through the capture tool, at 2 frames per second, on damaged
# copies of the generated data tree: no tree at all, every file empty, truncated to half,
# replaced by pseudo-random bytes, replaced by a folder, or holding absurd counts and sizes; a
# title picture that decodes to 805 MB (a decompression bomb); a FIFO, a socket and a link to
# /dev/zero in place of data files, none of which may block or be read.
# Each run must end with status 0 within its time bound and with modest peak memory, and the
# capture tool's data-tree check must refuse each damaged tree.
set -uo pipefail

capture=$1
make_tree=$2
data=$3
source "$(dirname "$0")/e2e_helpers.sh"

# Peak resident memory allowed for one run, kilobytes. Sanitized builds need several times
# what a release build does.
limit_kb=${ZENTROX_HOSTILE_MEMORY_KB:-1500000}

play() {
  local name=$1 tree=$2
  local started=$SECONDS
  timeout 900 /usr/bin/time -f '%M' -o "$work/$name.rss" \
    "$capture" --data "$tree" --fps 2 >"$work/$name.log" 2>&1
  local code=$?
  local rss
  rss=$(tail -n 1 "$work/$name.rss" 2>/dev/null)
  echo "$name: exit $code, $((SECONDS - started)) s, peak ${rss} kB"
  [ "$code" -eq 0 ] || fail "$name: exit $code: $(tail -n 20 "$work/$name.log")"
  if [[ $rss =~ ^[0-9]+$ ]] && [ "$rss" -gt 0 ]; then
    [ "$rss" -lt "$limit_kb" ] || fail "$name: peak memory ${rss} kB"
  else
    fail "$name: /usr/bin/time gave no peak memory figure: '$rss'"
  fi
}

# The data-tree check: the generated tree passes, a damaged one is refused with its files named.
check() {
  local name=$1 tree=$2 expect=$3
  "$capture" --check --data "$tree" >"$work/check.log" 2>&1
  local code=$?
  if [ "$expect" = "pass" ]; then
    [ "$code" -eq 0 ] && grep -q '^all [0-9]* files loaded' "$work/check.log" ||
      fail "check of $name: exit $code: $(grep -v '^loaded' "$work/check.log" | head)"
  else
    [ "$code" -ne 0 ] && grep -qE '^(missing|unreadable|rejected) ' "$work/check.log" ||
      fail "check of $name passed: $(head -n 3 "$work/check.log")"
  fi
}
check "the generated tree" "$data" pass

mkdir -p "$work/empty"
check "no files" "$work/empty" refuse
play "no files" "$work/empty"
# What the check must say of the trees that damage only a few files.
declare -A reasons=(
  [bomb]='^rejected   Textures/Welcome.png: too large: 16384 x 16384 pixels'
  [special]='^unreadable Textures/EnvX.png: a FIFO, not a regular file'
)
for kind in zero half random folders absurd bomb special; do
  "$make_tree" "$kind" "$data" "$work/$kind" || { fail "$kind: cannot build the tree"; continue; }
  check "$kind" "$work/$kind" refuse
  if [ -n "${reasons[$kind]-}" ]; then
    grep -q "${reasons[$kind]}" "$work/check.log" ||
      fail "check of $kind: no '${reasons[$kind]}' in: $(grep -v '^loaded' "$work/check.log")"
  fi
  play "$kind" "$work/$kind"
  rm -rf "${work:?}/$kind"
done

finish "every damaged tree played to the end"
