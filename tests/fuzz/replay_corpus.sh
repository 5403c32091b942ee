#!/usr/bin/env bash
# Runs one fuzzer once over every input of its committed corpus: the inputs that earlier
# campaigns found (crashes fixed since among them) must all load without a finding. Fails too
# when the corpus is empty or when the fuzzer ran fewer inputs than the corpus holds.
set -uo pipefail

fuzzer=$1
corpus=$2
inputs=("$corpus"/*)
[ -e "${inputs[0]}" ] || { echo "FAIL: no inputs in $corpus" >&2; exit 1; }
log=$(mktemp)
trap 'rm -f "$log"' EXIT
"$fuzzer" -malloc_limit_mb=256 -rss_limit_mb=2048 "${inputs[@]}" >"$log" 2>&1
code=$?
ran=$(grep -c '^Executed ' "$log")
if [ "$code" -ne 0 ]; then
  tail -n 40 "$log" >&2
  echo "FAIL: $(basename "$fuzzer") failed on its corpus (exit $code)" >&2
  exit 1
fi
[ "$ran" -eq "${#inputs[@]}" ] ||
  { echo "FAIL: ran $ran of ${#inputs[@]} inputs" >&2; exit 1; }
echo "$(basename "$fuzzer"): all $ran corpus inputs pass"
