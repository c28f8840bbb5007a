#!/usr/bin/env bash
# The Win32 wizard driven under Wine on a virtual display (called by
# test-windows.sh with its work folder and wine command): the window tests
# install and uninstall the example package on a fresh prefix, and what
# they leave on disk, in the registry and in the action log after each
# step must equal what Setup.exe /silent leaves on another fresh prefix.
set -euo pipefail
cd "$(dirname "$0")/.."
# No menu entries or desktop files on the host for the shortcuts made.
export WINEDLLOVERRIDES="${WINEDLLOVERRIDES:-mscoree,mshtml=};winemenubuilder.exe=d"
work="$1"
wine="$2"
template="$PWD/build/windows-cmake/prefix-template"
user="$(id -un)"

prepare() {  # prepare NAME: a fresh prefix with the package in C:\pkg
  export WINEPREFIX="$work/prefix-$1"
  cp -a "$template/." "$WINEPREFIX/"
  mkdir -p "$WINEPREFIX/drive_c/pkg" "$WINEPREFIX/drive_c/logs"
  # The desktop of the prefix is its own folder, not the host's home.
  local desktop="$WINEPREFIX/drive_c/users/$user/Desktop"
  if [ -L "$desktop" ]; then rm -f "$desktop" && mkdir -p "$desktop"; fi
  cp examples/setup-package/* build/windows/Setup.exe "$WINEPREFIX/drive_c/pkg/"
  # A Windows with a registered owner (the user page proposes it).
  "$wine" reg add 'HKLM\Software\Microsoft\Windows NT\CurrentVersion' /v RegisteredOwner /d Taro /f /reg:32 \
    >/dev/null 2>&1
  wineserver -w  # a window test starts Wine anew on its display
}
# What an install leaves: the files the package touches, with their sizes,
# and the registry keys it writes (the data as "reg query" shows it).
snapshot() {  # snapshot FILE
  local c="$WINEPREFIX/drive_c"
  wineserver -w
  {
    for place in "Program Files/Hello kestro" "windows/syswow64/kestrocm.dll" "windows/kestro.exe" "windows/hello.ini" \
      "users/$user/Desktop" "users/$user/Favorites" \
      "users/$user/AppData/Roaming/Microsoft/Windows/Start Menu/Programs/Hello kestro"; do
      [ -e "$c/$place" ] && (cd "$c" && find "$place" -printf '%p %s\n' | sort)
    done
    for key in 'HKLM\Software\Tallowmere' 'HKLM\Software\KestroSample' 'HKCU\Software\KestroSample' 'HKCR\.hlo' \
      'HKCR\kestro-hlo' 'HKLM\Software\Microsoft\Windows\CurrentVersion\Uninstall\HelloKestro' \
      'HKLM\Software\Microsoft\Windows\CurrentVersion\SharedDLLs'; do
      echo "[$key]"
      # The install's date and time are its own.
      "$wine" reg query "$key" /s /reg:32 2>/dev/null | tr -d '\r' | grep -v '^ *DateTime ' || true
    done
  } >"$1"
}
# The action log without the questions and refusals the window test
# provokes on purpose, and without the finish's program start (the window
# test leaves the readme closed, the unattended run opens it).
log_without_questions() { tr -d '\r' <"$1" | grep -Ev '^(MESSAGE|CHECK|RUN|SKIP)\b' >"$2"; }

# The window tests on the virtual display, with the snapshots between them
# (every Wine program of this prefix runs on that display).
if [ "${3:-}" = window ]; then
  prepare window
  tests="$PWD/build/windows/win32_wizard_tests.exe"
  run() { "$wine" "$tests" --gtest_brief=1 --gtest_filter="$1"; }
  status=0
  run "*InstallsTheExamplePackage*" || status=1
  snapshot "$work/window-installed.txt"
  run "*UninstallsFromItsOwnPages*" || status=1
  snapshot "$work/window-uninstalled.txt"
  run "-*InstallsTheExamplePackage*:*UninstallsFromItsOwnPages*" || status=1
  wineserver -k 2>/dev/null || true
  exit "$status"
fi

compare() {  # compare DESCRIPTION FILE FILE
  if ! diff -u "$2" "$3" >&2; then
    echo "FAILED: $1" >&2
    failures=$((failures + 1))
  fi
}

prepare silent
"$wine" 'C:\pkg\Setup.exe' /silent '/log=C:\logs\install.log' 2>/dev/null
snapshot "$work/silent-installed.txt"
log_without_questions "$WINEPREFIX/drive_c/logs/install.log" "$work/silent-install.log"
"$wine" 'C:\windows\kestro.exe' /u HelloKestro /silent '/log=C:\logs\uninstall.log' 2>/dev/null
snapshot "$work/silent-uninstalled.txt"
log_without_questions "$WINEPREFIX/drive_c/logs/uninstall.log" "$work/silent-uninstall.log"
wineserver -k 2>/dev/null || true

failures=0
xvfb-run -a -s "-screen 0 1024x768x24 -dpi 96" "$0" "$work" "$wine" window || failures=$((failures + 1))
log_without_questions "$work/prefix-window/drive_c/logs/gui-install.log" "$work/window-install.log"
log_without_questions "$work/prefix-window/drive_c/logs/gui-uninstall.log" "$work/window-uninstall.log"

compare "the window's install leaves what the unattended one leaves" "$work/silent-installed.txt" "$work/window-installed.txt"
compare "the window's uninstall leaves what the unattended one leaves" "$work/silent-uninstalled.txt" \
  "$work/window-uninstalled.txt"
compare "the install logs agree" "$work/silent-install.log" "$work/window-install.log"
compare "the uninstall logs agree" "$work/silent-uninstall.log" "$work/window-uninstall.log"
exit $((failures > 0))
