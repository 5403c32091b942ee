#!/usr/bin/env bash
# The capture tool under valgrind's memcheck, loading the whole generated tree and rendering a
# frame every ten seconds from 2 s on: the title, the tile dissolve, the laboratory, the tunnel,
# the fade into the finale, all three of its acts and the held picture. Any invalid access,
# use of uninitialised memory or definitely lost block fails the test.
set -uo pipefail

capture=$1
data=$2
suppressions=$(dirname "$0")/valgrind.supp
source "$(dirname "$0")/e2e_helpers.sh"

# keep-debuginfo: Mesa's driver is unloaded before the leak check, and its blocks can only be
# told apart from ours while its symbols are kept.
valgrind --error-exitcode=99 --errors-for-leak-kinds=definite --show-leak-kinds=definite \
  --leak-check=full --keep-debuginfo=yes --num-callers=30 --suppressions="$suppressions" \
  "$capture" --data "$data" --fps 0.1 --from 2 --out "$work/frames" >"$work/log" 2>&1
status=$?
frames=$(find "$work/frames" -name 'frame_*.png' | wc -l)
if [ "$status" -ne 0 ] || [ "$frames" -ne 19 ]; then
  cat "$work/log" >&2
  abort "memcheck exit status $status, $frames of 19 frames written"
fi
grep -E '^frames|ERROR SUMMARY|definitely lost' "$work/log"
finish "memcheck found no fault in 19 frames"
