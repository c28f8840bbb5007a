#!/usr/bin/env bash
# Cross-builds the Windows programs and runs the Win32 back end's tests
# under Wine, in a fresh prefix of their own (a template made once by
# wineboot, copied per run). Needs no display.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/build-windows.sh

# Debian's wine64 package keeps its loader in /usr/lib/wine; the "wine"
# command comes with the wine package.
export PATH="$PATH:/usr/lib/wine"
wine=wine
command -v wine >/dev/null || wine=wine64
export WINEDEBUG=-all WINEDLLOVERRIDES='mscoree,mshtml='

template="$PWD/build/windows-cmake/prefix-template"
if [ ! -f "$template/system.reg" ]; then
  rm -rf "$template"
  mkdir -p "$template"
  WINEPREFIX="$template" "$wine" wineboot -i >/dev/null 2>&1
  WINEPREFIX="$template" wineserver -w
fi

prefix="$(mktemp -d "${TMPDIR:-/tmp}/kestro-wine.XXXXXX")"
cleanup() {
  WINEPREFIX="$prefix" wineserver -k 2>/dev/null || true
  rm -rf "$prefix"
}
trap cleanup EXIT
cp -a "$template/." "$prefix/"
export WINEPREFIX="$prefix"

status=0
"$wine" build/windows/win32_tests.exe --gtest_brief=1 || status=$?
wineserver -w
exit "$status"
