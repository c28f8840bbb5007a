#!/usr/bin/env bash
# Times the install of the 10,000-file benchmark package (as bench_install
# builds it: 100 folders of 4 KiB files, 200 registry values) with
# Setup.exe /silent under Wine and with the Linux program on a fresh target
# system. Prints the wall-clock seconds of each; needs scripts/build-windows.sh
# and the release build's Setup.
set -euo pipefail
cd "$(dirname "$0")/.."
export PATH="$PATH:/usr/lib/wine" WINEDEBUG=-all WINEDLLOVERRIDES='mscoree,mshtml='
wine=wine
command -v wine >/dev/null || wine=wine64
work="$(mktemp -d "${TMPDIR:-/tmp}/kestro-bench.XXXXXX")"
trap 'WINEPREFIX="$work/prefix" wineserver -k 2>/dev/null || true; rm -rf "$work"' EXIT

package="$work/package"
python3 - "$package" <<'PY'
import os, sys
root = sys.argv[1]
files, folders, entries = 10000, 100, 200
block = b"k" * 4096
lines = ["[Define]", "Application=kestro Setup 1.00", "Name=Bench", "[Install]", "Use=1",
         "Default=<Program>\\Bench", "[Uninstall]", "KeyName=Bench", "Use=1",
         "[File]", f"Count={files}"]
for f in range(folders):
    os.makedirs(os.path.join(root, f"d{f}"), exist_ok=True)
for n in range(1, files + 1):
    name = f"d{n % folders}\\f{n}.bin"
    with open(os.path.join(root, f"d{n % folders}", f"f{n}.bin"), "wb") as out:
        out.write(block)
    lines += [f"NewFile{n}=<Setup>\\{name}", f"File{n}={name}"]
lines += ["[Registry]", f"Count={entries}"]
for n in range(1, entries + 1):
    lines += [f"Key{n}=HKEY_LOCAL_MACHINE\\Software\\Bench\\Key{n % 10}", f"Name{n}=Value{n}",
              f"Data{n}=C:\\Program Files\\Bench\\{n}"]
with open(os.path.join(root, "Setup.dat"), "w", newline="\r\n") as out:
    out.write("\n".join(lines) + "\n")
PY

export WINEPREFIX="$work/prefix"
cp -a build/windows-cmake/prefix-template/. "$WINEPREFIX/"
mkdir -p "$WINEPREFIX/drive_c/pkg"
cp -r "$package/." "$WINEPREFIX/drive_c/pkg/"
cp build/windows/Setup.exe "$WINEPREFIX/drive_c/pkg/"
start=$(date +%s.%N)
wine_status=0
"$wine" 'C:\pkg\Setup.exe' /silent '/dir=C:\Bench' '/log=C:\install.log' >/dev/null 2>&1 || wine_status=$?
wineserver -w
wine_seconds=$(echo "$(date +%s.%N) - $start" | bc)
copied=$(grep -c '^COPY' "$WINEPREFIX/drive_c/install.log" || true)

export KESTRO_SYSTEM="$work/system"
build/release/setup/core/kestro-system init >/dev/null
cp build/release/setup/app/Setup "$package/Setup.exe"
start=$(date +%s.%N)
linux_status=0
"$package/Setup.exe" /silent '/dir=C:\Bench' "/log=$work/linux.log" >/dev/null 2>&1 || linux_status=$?
linux_seconds=$(echo "$(date +%s.%N) - $start" | bc)
echo "10,000 files: Wine ${wine_seconds}s (exit $wine_status, $copied copied), Linux target system ${linux_seconds}s (exit $linux_status, $(grep -c '^COPY' "$work/linux.log") copied)"
