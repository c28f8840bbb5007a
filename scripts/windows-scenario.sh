#!/usr/bin/env bash
# The example package under Wine, end to end (called by test-windows.sh with
# its work folder and wine command; WINEPREFIX templates as there).
set -euo pipefail
cd "$(dirname "$0")/.."
work="$1"
wine="$2"
template="$PWD/build/windows-cmake/prefix-template"
export WINEPREFIX="$work/prefix-scenario"
cp -a "$template/." "$WINEPREFIX/"
c="$WINEPREFIX/drive_c"
failures=0
user="$(id -un)"  # Wine names its user after the Unix one
check() {  # check DESCRIPTION COMMAND...
  local said
  if said="$("${@:2}" 2>&1)"; then :; else
    echo "FAILED: $1" >&2
    [ -z "$said" ] || printf '%s\n' "$said" | head -20 >&2
    failures=$((failures + 1))
  fi
}
# The data of a registry value (the view of HKLM\Software as given).
reg_value() {  # KEY NAME VIEW ("(Default)": the unnamed value)
  local which=(/v "$2")
  [ "$2" = "(Default)" ] && which=(/ve)
  "$wine" reg query "$1" "${which[@]}" "/reg:$3" 2>/dev/null | tr -d '\r' |
    awk -v name="$2" '$1 == name { sub(/^ *[^ ]+ +REG_[A-Z_]+ */, ""); print; found = 1 } END { exit !found }'
}
reg_missing() { ! "$wine" reg query "$1" "/reg:$2" >/dev/null 2>&1; }
run() {  # run EXPECTED-STATUS PROGRAM ARGS...
  local status=0
  "$wine" "${@:2}" 2>"$work/stderr" || status=$?
  wineserver -w
  if [ "$status" != "$1" ]; then
    echo "FAILED: ${*:2} ended with $status, not $1" >&2
    cat "$work/stderr" >&2
    failures=$((failures + 1))
  fi
}

# A Windows with a registered owner (the user page proposes it).
"$wine" reg add 'HKLM\Software\Microsoft\Windows NT\CurrentVersion' /v RegisteredOwner /d Taro /f /reg:32 >/dev/null 2>&1
mkdir -p "$c/pkg" "$c/logs"
cp examples/setup-package/* build/windows/Setup.exe "$c/pkg/"
program="$c/Program Files/Hello kestro"
sys32="$c/windows/syswow64"
shared='HKLM\Software\Microsoft\Windows\CurrentVersion\SharedDLLs'
dll='C:\windows\syswow64\kestrocm.dll'

# Without /silent the wizard would show; with no display here Setup says so
# and ends with status 1, nothing changed, not even the log.
run 1 'C:\pkg\Setup.exe' '/log=C:\logs\refused.log'
check "nothing installed without /silent" test ! -e "$program" -a ! -e "$c/logs/refused.log"

# A key name that is no single key (it would nest inside another record) is
# refused before any change.
mkdir -p "$c/nested"
cp examples/setup-package/* build/windows/Setup.exe "$c/nested/"
LC_ALL=C sed -i 's/^KeyName=HelloKestro/KeyName=HelloKestro\\UnFile/' "$c/nested/Setup.dat"
run 1 'C:\nested\Setup.exe' /silent
check "a nested key name installs nothing" test ! -e "$program" -a ! -e "$c/windows/kestro.exe"
check "a nested key name records nothing" reg_missing 'HKLM\Software\Tallowmere\kestroSetup\Uninstall\HelloKestro' 32

run 0 'C:\pkg\Setup.exe' /silent '/log=C:\logs\install.log'
check "program files copied" test -f "$program/hello.exe" -a -f "$program/readme.txt" -a -f "$program/sample.hlo"
check "the folder of the script made" test -d "$program/data"
check "shared file in the system folder" test -f "$sys32/kestrocm.dll"
check "uninstaller copy" cmp build/windows/Setup.exe "$c/windows/kestro.exe"
check "Start menu shortcut" test -f "$c/users/$user/AppData/Roaming/Microsoft/Windows/Start Menu/Programs/Hello kestro/Hello kestro.lnk"
check "desktop shortcut" test -f "$c/users/$user/Desktop/Hello kestro.lnk"
# A link the shell saved carries the target's item list (flag bit 0 at 0x14);
# our own encoder never writes one.
link_flags="$(od -An -tu1 -j20 -N1 "$c/users/$user/Desktop/Hello kestro.lnk" 2>/dev/null | tr -d ' ')"
check "desktop shortcut saved by the shell" test "$(( ${link_flags:-0} & 1 ))" = 1
check "user registry value" test "$(reg_value 'HKCU\Software\KestroSample\Hello' Version 64)" = 1.00
check "machine registry value in the 32-bit view" test "$(reg_value 'HKLM\Software\KestroSample\Hello' Installed 32)" = 0x1
check "nothing in the 64-bit view" reg_missing 'HKLM\Software\KestroSample' 64
check "INI entry in code page 932" grep -q "$(printf 'Greeting=\x82\xb1\x82\xf1\x82\xc9\x82\xbf\x82\xcd')" "$c/windows/hello.ini"
check "association" test "$(reg_value 'HKCR\.hlo' '(Default)' 32)" = kestro-hlo
check "shared count 1" test "$(reg_value "$shared" "$dll" 32)" = 0x1
check "owner list" reg_value 'HKLM\Software\Tallowmere\kestroSetup\SharedDLLs' "$dll" 32
uninstall_key='HKLM\Software\Microsoft\Windows\CurrentVersion\Uninstall\HelloKestro'
check "uninstall entry names the Windows folder" test "$(reg_value "$uninstall_key" UninstallString 32)" = 'C:\windows\kestro.exe /u "HelloKestro"'

run 0 'C:\pkg\Setup.exe' /silent '/log=C:\logs\reinstall.log'
check "a reinstall counts the shared file once" test "$(reg_value "$shared" "$dll" 32)" = 0x1

# A second product sharing the DLL, removed after the first and, in a
# second round, before it: the DLL stays while either holds it.
mkdir -p "$c/other"
cp examples/setup-package/readme.txt examples/setup-package/kestrocm.dll build/windows/Setup.exe "$c/other/"
iconv -f UTF-8 -t CP932 scripts/windows-scenario/other-product.dat >"$c/other/Setup.dat"
run 0 'C:\other\Setup.exe' /silent
check "two products count the DLL twice" test "$(reg_value "$shared" "$dll" 32)" = 0x2

run 0 'C:\windows\kestro.exe' /u HelloKestro /silent '/log=C:\logs\uninstall.log'
check "program folder removed" test ! -e "$program"
check "the other product keeps the DLL" test -f "$sys32/kestrocm.dll"
check "one count left" test "$(reg_value "$shared" "$dll" 32)" = 0x1
check "shortcuts removed" test ! -e "$c/users/$user/Desktop/Hello kestro.lnk"
check "registry keys removed" reg_missing 'HKLM\Software\KestroSample' 32
check "user keys removed" reg_missing 'HKCU\Software\KestroSample' 64
check "uninstall entry removed" reg_missing "$uninstall_key" 32
check "record removed" reg_missing 'HKLM\Software\Tallowmere\kestroSetup\Uninstall\HelloKestro' 32
run 0 'C:\windows\kestro.exe' /u OtherKestro /silent
check "the last product takes the DLL" test ! -e "$sys32/kestrocm.dll"
check "shared count removed" bash -c "! $wine reg query '$shared' /v '$dll' /reg:32"

run 0 'C:\pkg\Setup.exe' /silent
run 0 'C:\other\Setup.exe' /silent
run 0 'C:\windows\kestro.exe' /u OtherKestro /silent
check "the first product keeps the DLL" test -f "$sys32/kestrocm.dll" -a "$(reg_value "$shared" "$dll" 32)" = 0x1
check "the other product's folder removed" test ! -e "$c/Program Files/Other kestro"
run 0 'C:\windows\kestro.exe' /u HelloKestro /silent
check "nothing of either product stays" test ! -e "$sys32/kestrocm.dll" -a ! -e "$program"
check "no count stays" bash -c "! $wine reg query '$shared' /v '$dll' /reg:32"

# What stays by design: the uninstaller copy, the favourite, the emptied INI
# file and the installer's machine-wide settings.
check "uninstaller copy stays" test -f "$c/windows/kestro.exe"
check "favourite stays" test -f "$c/users/$user/Favorites/kestro サンプル.url"
check "INI entry removed" bash -c "! grep -q Greeting '$c/windows/hello.ini'"
check "settings stay" reg_value 'HKLM\Software\Tallowmere\kestroSetup\Setting' DeleteToDustBox 32
check "not found twice" run 1 'C:\windows\kestro.exe' /u HelloKestro /silent

# The clean-up of the package folder, as the installer starts it.
run 0 'C:\windows\kestro.exe' /d 'C:\pkg' /silent
check "package folder cleaned up" test ! -e "$c/pkg"

# The same install on a Linux target system: the same action log, paths aside.
[ -f build/release/build.ninja ] ||
  cmake -S . -B build/release -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
cmake --build build/release --target Setup kestro-system -j2 >/dev/null
export KESTRO_SYSTEM="$work/linux-system"
build/release/setup/core/kestro-system init >/dev/null
mkdir -p "$work/linux-package"
cp examples/setup-package/* "$work/linux-package/"
cp build/release/setup/app/Setup "$work/linux-package/Setup.exe"
"$work/linux-package/Setup.exe" /silent "/log=$work/linux-install.log" 2>/dev/null
tr -d '\r' <"$c/logs/install.log" >"$work/wine-install.log"
check "the action logs agree" scripts/compare-action-logs.py "$work/linux-install.log" "$work/wine-install.log"
# And the uninstall of the first product while the second shares its DLL.
mkdir -p "$work/linux-other"
cp examples/setup-package/readme.txt examples/setup-package/kestrocm.dll "$work/linux-other/"
iconv -f UTF-8 -t CP932 scripts/windows-scenario/other-product.dat >"$work/linux-other/Setup.dat"
cp build/release/setup/app/Setup "$work/linux-other/Setup.exe"
"$work/linux-other/Setup.exe" /silent 2>/dev/null
cp build/release/setup/app/Setup "$work/kestro.exe"
"$work/kestro.exe" /u HelloKestro /silent "/log=$work/linux-uninstall.log" 2>/dev/null
tr -d '\r' <"$c/logs/uninstall.log" >"$work/wine-uninstall.log"
check "the uninstall logs agree" scripts/compare-action-logs.py "$work/linux-uninstall.log" "$work/wine-uninstall.log"

if [ "$failures" -gt 0 ]; then
  echo "windows scenario: $failures check(s) failed" >&2
  exit 1
fi
echo "windows scenario: all checks passed"
