#!/usr/bin/env bash
# What Windows brings to an installation, under Wine (called by
# test-windows.sh with its work folder and wine command), in one fresh
# prefix: a destination folder we may not write, a full disk, a registry key
# whose values we may not set, and the restart of kestro.exe /r.
#
# Wine, run as root, honours no access list and no read-only attribute on
# files; it does honour a read-only filesystem (EROFS: access denied) and a
# full one (ENOSPC: disk full). So the script runs in a private mount
# namespace of its own (unshare), where a read-only and a small filesystem
# are mounted inside drive C and vanish with it. Where no namespace can be
# made, those two cases are skipped and say so. Registry keys keep their
# access lists under Wine: lock_key.exe denies setting values.
set -euo pipefail
cd "$(dirname "$0")/.."
work="$1"
wine="$2"
if [ -z "${KESTRO_MOUNT_NAMESPACE:-}" ]; then
  for how in -m -rm; do
    if unshare "$how" true 2>/dev/null; then
      KESTRO_MOUNT_NAMESPACE=1 exec unshare "$how" --propagation private "$0" "$@"
    fi
  done
  KESTRO_MOUNT_NAMESPACE=none
fi
template="$PWD/build/windows-cmake/prefix-template"
export WINEPREFIX="$work/prefix-faults"
cp -a "$template/." "$WINEPREFIX/"
c="$WINEPREFIX/drive_c"
failures=0
check() {  # check DESCRIPTION COMMAND...
  if "${@:2}" >/dev/null 2>&1; then :; else
    echo "FAILED: $1" >&2
    failures=$((failures + 1))
  fi
}
reg_missing() { ! "$wine" reg query "$1" "/reg:$2" "${@:3}" >/dev/null 2>&1; }  # KEY VIEW [/v NAME]
reg_value() {  # KEY NAME VIEW
  "$wine" reg query "$1" /v "$2" "/reg:$3" 2>/dev/null | tr -d '\r' |
    awk -v name="$2" '$1 == name { sub(/^ *[^ ]+ +REG_[A-Z_]+ */, ""); print; found = 1 } END { exit !found }'
}
install() {  # install EXPECTED-STATUS NAME ARGS...: log and messages in $work/NAME.*
  local status=0
  "$wine" 'C:\faults\Setup.exe' /silent "/log=C:\\logs\\$2.log" "${@:3}" 2>"$work/$2.stderr" || status=$?
  wineserver -w
  tr -d '\r' <"$c/logs/$2.log" >"$work/$2.log" 2>/dev/null || true
  check "$2: exit status $status, not $1" test "$status" = "$1"
}
logged() { grep -qP "$2" "$work/$1.log"; }  # logged NAME PERL-PATTERN
skipped() { echo "SKIPPED: $1 (no private mount namespace here; unshare -m needs root or user namespaces)"; }

# The package: a small file, a file of 1 MiB, and two registry entries, one
# below a key the user may not write.
mkdir -p "$c/faults" "$c/logs"
cp build/windows/Setup.exe "$c/faults/"
printf 'small\r\n' >"$c/faults/small.txt"
head -c 1048576 /dev/zero | tr '\0' 'k' >"$c/faults/big.bin"
printf '%s\r\n' '[Define]' 'Application=kestro Setup 1.00' 'Name=Fault kestro' \
  '[Install]' 'Use=1' 'Default=<Program>\Fault kestro' \
  '[File]' 'Count=2' 'NewFile1=<Setup>\small.txt' 'File1=small.txt' 'NewFile2=<Setup>\big.bin' 'File2=big.bin' \
  '[Registry]' 'Count=2' \
  'Key1=HKEY_LOCAL_MACHINE\Software\KestroFault\Locked\Made' 'Name1=Value' 'Data1=x' \
  'Key2=HKEY_CURRENT_USER\Software\KestroFault' 'Name2=Written' 'Data2=1' \
  '[Uninstall]' 'Use=1' 'KeyName=FaultKestro' >"$c/faults/Setup.dat"

if [ "$KESTRO_MOUNT_NAMESPACE" = 1 ]; then
  # A folder on a read-only filesystem: the copy is refused with access
  # denied, its question is asked, and the folder stays empty.
  mkdir -p "$c/locked"
  mount -t tmpfs -o ro,size=64k tmpfs "$c/locked"
  install 2 locked '/dir=C:\locked'
  check "locked: the copy failure is logged as access denied" logged locked '^COPYFAIL\tC:\\locked\\small.txt\t.*access denied'
  check "locked: the copy question is asked" grep -q 'ファイルコピーに失敗しました。' "$work/locked.stderr"
  check "locked: nothing is written there" test -z "$(ls -A "$c/locked")"
  # A folder to be made there: the folder page refuses it before any change.
  install 1 locked-page '/dir=C:\locked\Fault'
  check "locked: the folder page refuses a folder it cannot make" grep -q 'フォルダが作成できません。' "$work/locked-page.stderr"
  check "locked: the folder page logs the reason" logged locked-page '^CHECK\tC:\\locked\\Fault\tfolder cannot be made\t.*access denied'

  # A filesystem of 256 KiB: the small file is copied, the large one fails
  # with "the disk is full" and leaves no part of itself.
  mkdir -p "$c/full"
  mount -t tmpfs -o size=256k tmpfs "$c/full"
  install 2 full '/dir=C:\full'
  check "full: the small file is copied" cmp "$c/faults/small.txt" "$c/full/small.txt"
  check "full: the copy failure names the full disk" logged full '^COPYFAIL\tC:\\full\\big.bin\t.*the disk is full'
  check "full: the copy question is asked" grep -q 'ファイルコピーに失敗しました。' "$work/full.stderr"
  check "full: no part of the large file stays" test "$(ls -A "$c/full")" = small.txt
else
  skipped "access-denied folder"
  skipped "full disk"
fi

# Wine keeps a key's access list only while its wineserver runs (the
# prefix's registry files do not hold it): the rest runs in one session.
wineserver -p
trap 'wineserver -k 2>/dev/null || true' EXIT
session() {  # session EXPECTED-STATUS NAME PROGRAM ARGS...: no wait for the server's end
  local status=0
  "$wine" "${@:3}" 2>"$work/$2.stderr" || status=$?
  check "$2: exit status $status, not $1" test "$status" = "$1"
}

# A key whose values nobody may set: its item is refused with the reason and
# leaves no key behind; the other items and the record go in.
"$wine" build/windows-cmake/lock_key.exe HKLM 'Software\KestroFault\Locked'
session 0 registry 'C:\faults\Setup.exe' /silent '/log=C:\logs\registry.log'
tr -d '\r' <"$c/logs/registry.log" >"$work/registry.log" 2>/dev/null || true
check "registry: the refused item is logged with its reason" logged registry '^REG\t0\tHKEY_LOCAL_MACHINE\\Software\\KestroFault\\Locked\\Made\tValue\tx\t.*access denied'
check "registry: the refused item leaves no key" reg_missing 'HKLM\Software\KestroFault\Locked\Made' 32
check "registry: the next item is written" test "$(reg_value 'HKCU\Software\KestroFault' Written 64)" = 1
check "registry: the installation is recorded" reg_value 'HKLM\Software\Microsoft\Windows\CurrentVersion\Uninstall\FaultKestro' UninstallString 32

# kestro.exe /r as an unattended installer starts it: the question takes its
# default, Yes, and ExitWindowsEx restarts Windows. Under Wine that is
# harmless: wineboot ends the prefix's programs and then does what Windows
# does after a restart, such as running the RunOnce entries.
run_once='HKLM\Software\Microsoft\Windows\CurrentVersion\RunOnce'
"$wine" reg add "$run_once" /v kestro /d 'cmd.exe /c echo restarted> C:\logs\restarted.txt' /f /reg:64 >/dev/null
export KESTRO_UNATTENDED=1
session 0 not-alone 'C:\windows\kestro.exe' /r now  # /r with more: the version box
check "/r with more is no restart" grep -q 'バージョン情報' "$work/not-alone.stderr"
sleep 1
check "/r with more restarts nothing" reg_value "$run_once" kestro 64
session 0 restart 'C:\windows\kestro.exe' /r '/log=C:\logs\restart.log'
unset KESTRO_UNATTENDED
for _ in $(seq 100); do [ -e "$c/logs/restarted.txt" ] && break; sleep 0.2; done
tr -d '\r' <"$c/logs/restart.log" >"$work/restart.log" 2>/dev/null || true
check "/r asks and answers Yes" grep -qz '再起動しますか？.*-> Yes' "$work/restart.stderr"
check "/r asks Windows to restart" logged restart '^REBOOT\tExitWindowsEx\tasked$'
check "/r restarts: the RunOnce entry ran" test -e "$c/logs/restarted.txt"
check "/r restarts: the RunOnce entry is gone" reg_missing "$run_once" 64 /v kestro

if [ "$failures" -gt 0 ]; then
  echo "windows faults: $failures check(s) failed" >&2
  exit 1
fi
echo "windows faults: all checks passed"
