#!/usr/bin/env bash
# Runs one fuzzer for a few seconds from its seeds, in a scratch corpus so the repository's
# seeds stay as they are. Fails when the fuzzer finds a crash, a leak or undefined behaviour.
set -euo pipefail

fuzzer=$1
seeds=$2
seconds=$3
corpus=$(mktemp -d)
trap 'rm -rf "$corpus"' EXIT
cp "$seeds"/* "$corpus"/
cd "$corpus"
exec "$fuzzer" -max_total_time="$seconds" -max_len=65536 -rss_limit_mb=2048 -malloc_limit_mb=256 \
  -print_final_stats=1 \
  "$corpus"
