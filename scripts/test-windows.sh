#!/usr/bin/env bash
# Cross-builds the Windows programs and runs under Wine, each in a fresh
# prefix copied from a template that wineboot makes once (no display needed):
#   the Win32 back end's tests;
#   the tests of Setup.exe's windows, and the background painted with GDI
#   compared with the Linux window's painting of the same cases;
#   Setup.exe /silent installing examples/setup-package, a reinstall and
#   kestro.exe /u HelloKestro /silent, checking files, shortcuts, registry,
#   INI, association, shared-file count, uninstall entry and leftovers;
#   the same install and uninstall on a Linux target system, whose action
#   logs must agree with the Wine run's line by line (paths aside);
#   a destination we may not write, a full disk, a registry key we may not
#   write, and kestro.exe /r (scripts/windows-faults.sh);
#   the wizard window's own tests (scripts/windows-wizard-test.sh).
# The runs with windows and the unattended ones go side by side.
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

# Every prefix has a desktop folder of its own instead of Wine's link to the
# host's home, which runs made at the same time would share, and Wine makes
# no menu entries or desktop files on the host for the shortcuts.
desktop="$template/drive_c/users/$(id -un)/Desktop"
if [ -L "$desktop" ]; then rm -f "$desktop" && mkdir -p "$desktop"; fi
export WINEDLLOVERRIDES="$WINEDLLOVERRIDES;winemenubuilder.exe=d"

work="$(mktemp -d "${TMPDIR:-/tmp}/kestro-wine.XXXXXX")"
cleanup() {
  for prefix in "$work"/prefix-*; do
    [ -d "$prefix" ] && WINEPREFIX="$prefix" wineserver -k 2>/dev/null || true
  done
  rm -rf "$work"
}
trap cleanup EXIT
fresh_prefix() {
  export WINEPREFIX="$work/prefix-$1"
  cp -a "$template/." "$WINEPREFIX/"
}

# The release programs the comparisons use, built before the Wine runs
# start side by side.
[ -f build/release/build.ninja ] || cmake --preset release >/dev/null
cmake --build build/release --target background-compare Setup kestro-system -j2 >/dev/null

# The window tests (one virtual display after the other) and the unattended
# runs (no display) go side by side: Wine spends most of its time starting
# and waiting, and each run has its own prefix and files.
windows_chain() {
  fresh_prefix unit
  "$wine" build/windows/win32_tests.exe --gtest_brief=1
  wineserver -w

  # Setup.exe's windows: their tests, then the background cases painted with
  # GDI (Japanese faces mapped onto the IPA fonts) against the toolkit's
  # painting of the same cases, built on the Linux side.
  fresh_prefix views
  scripts/wine-japanese-fonts.sh "$wine"
  # The shell's folder picker and the windows need a display: a virtual one
  # in true colour.
  xvfb-run -a -s "-screen 0 1024x768x24" "$wine" build/windows/setup_win32_tests.exe --gtest_brief=1
  "$wine" build/windows/background_probe.exe cases "$work/backgrounds" >/dev/null
  wineserver -w
  build/release/setup/app/window/background-compare "$work/backgrounds" 2>/dev/null

  # The wizard window driven by control identifier on a virtual display, its
  # result compared with the unattended run's.
  scripts/windows-wizard-test.sh "$work" "$wine"
}
unattended_chain() {
  scripts/windows-scenario.sh "$work" "$wine"
  scripts/windows-faults.sh "$work" "$wine"
}
(windows_chain >"$work/windows.out" 2>&1) &
windows_job=$!
(unattended_chain >"$work/unattended.out" 2>&1) &
unattended_job=$!
status=0
wait "$windows_job" || status=1
cat "$work/windows.out"
wait "$unattended_job" || status=1
cat "$work/unattended.out"
exit "$status"
