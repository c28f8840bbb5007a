#!/usr/bin/env bash
# Checks that every C++ file of the checkout is laid out as .clang-format
# says; lists the files that are not. scripts/format.sh lays them out.
set -euo pipefail
cd "$(dirname "$0")/.."
command -v clang-format >/dev/null || { echo "clang-format is missing" >&2; exit 1; }
# clang-format names each file that differs in its complaints; many files
# per call, two calls side by side.
complaints="$(mktemp)"
trap 'rm -f "$complaints"' EXIT
status=0
git ls-files -z '*.cpp' '*.h' |
  xargs -0 -n 64 -P "${JOBS:-2}" clang-format --dry-run --Werror >/dev/null 2>"$complaints" || status=$?
unformatted="$(sed -n 's/^\([^:]*\):[0-9]*:[0-9]*: error: .*/\1/p' "$complaints" | sort -u)"
# xargs says 123 when a call found a file to lay out; anything else is a
# failure of the check itself.
if [ "$status" != 0 ] && { [ "$status" != 123 ] || [ -z "$unformatted" ]; }; then
  echo "clang-format failed:" >&2
  head -20 "$complaints" >&2
  exit 1
fi
if [ -n "$unformatted" ]; then
  printf 'not laid out as .clang-format says (scripts/format.sh fixes it):\n' >&2
  printf '  %s\n' $unformatted >&2
  exit 1
fi
