#!/usr/bin/env bash
# Every C and C++ source of the project is formatted as .clang-format says.
set -uo pipefail

root=$1
cd "$root" || exit 1
mapfile -t sources < <(find app base bench render resources scenes tests tools \
  -path tests/fuzz/corpus -prune -o -type f \( -name '*.cpp' -o -name '*.h' -o -name '*.c' \) -print)
[ "${#sources[@]}" -gt 100 ] || { echo "FAIL: only ${#sources[@]} sources found" >&2; exit 1; }
if ! clang-format --dry-run --Werror "${sources[@]}" 2>"${TMPDIR:-/tmp}/format.$$"; then
  grep -o '^[^:]*:' "${TMPDIR:-/tmp}/format.$$" | sort -u | sed 's/:$//; s/^/not formatted: /' >&2
  rm -f "${TMPDIR:-/tmp}/format.$$"
  exit 1
fi
rm -f "${TMPDIR:-/tmp}/format.$$"
echo "${#sources[@]} sources formatted"
