#!/usr/bin/env bash
# Checks that every C++ file of the checkout is laid out as .clang-format
# says; lists the files that are not. scripts/format.sh lays them out.
set -euo pipefail
cd "$(dirname "$0")/.."
unformatted=()
while IFS= read -r file; do
  clang-format --dry-run --Werror "$file" >/dev/null 2>&1 || unformatted+=("$file")
done < <(git ls-files '*.cpp' '*.h')
if [ "${#unformatted[@]}" -gt 0 ]; then
  printf 'not laid out as .clang-format says (scripts/format.sh fixes it):\n' >&2
  printf '  %s\n' "${unformatted[@]}" >&2
  exit 1
fi
