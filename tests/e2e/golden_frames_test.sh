#!/usr/bin/env bash
# Frames of the whole timeline, of every overlap and of a second seed, rendered from the
# generated tree and compared exactly with the pixels recorded in golden_frames.txt: any change
# of the code that changes a picture, even by one pixel, fails here. Exact pixels depend on the
# driver, so the frames are rendered with the capture's pinned renderer, which must pin the
# settings the file records, and a capture under another renderer, or one that names none,
# fails with the two names. Both lists
# must match line for line: a missing frame and an extra one fail alike.
# scripts/record-golden records the file anew; the test never writes it.
# On a mismatch the differing frames and the difference of the lists are kept in the folder
# named by ZENTROX_GOLDEN_KEEP (default: golden-mismatch in the working folder).
set -uo pipefail

capture=$1
data=$2
golden=$(dirname "$0")/golden_frames.txt
keep=${ZENTROX_GOLDEN_KEEP:-$PWD/golden-mismatch}
source "$(dirname "$0")/e2e_helpers.sh"
source "$(dirname "$0")/golden_frames.sh"

recorded=$(grep -m 1 '^renderer ' "$golden")
[ -n "$recorded" ] || abort "$golden names no renderer"

golden_frames || exit 1
if [ "$(golden_environment)" != "$(grep '^environment ' "$golden")" ]; then
  abort "the frames were recorded with these settings pinned:" \
    "$(grep '^environment ' "$golden" | tr '\n' ' ')but the capture pins:" \
    "$(golden_environment | tr '\n' ' ')"
fi
renderer=$(golden_renderer)
if [ -z "$renderer" ]; then
  abort "the captures named no renderer, or differing ones: $(sort -u "$work/renderers")"
fi
if [ "$renderer" != "$recorded" ]; then
  abort "the frames were recorded under '$recorded' but render under '$renderer';" \
    "exact pixels cannot be compared. Record them on this driver with scripts/record-golden" \
    "only if this driver is the reference now."
fi
grep '^seed=' "$golden" >"$work/expected"
expected_count=$(wc -l <"$work/expected")
[ "$expected_count" -gt 0 ] || abort "$golden holds no frames"
if ! diff "$work/expected" "$work/sums" >"$work/diff"; then
  missing=$(grep -c '^<' "$work/diff")
  extra=$(grep -c '^>' "$work/diff")
  mkdir -p "$keep"
  cp "$work/diff" "$keep/frames.diff"
  # The rendered frames whose lines the recording lacks, named by their time and seed.
  paste -d ' ' "$work/sums" "$work/files" | while read -r seed time sum file; do
    grep -qxF "$seed $time $sum" "$work/expected" || cp "$file" "$keep/$seed-$time.png"
  done
  fail "$(wc -l <"$work/sums") frames rendered, $expected_count recorded;" \
    "$missing recorded lines unmatched, $extra rendered lines unmatched (< recorded," \
    "> rendered; kept in $keep/frames.diff):"
  head -n 40 "$work/diff" >&2
fi
finish "$expected_count frames identical under $renderer"
