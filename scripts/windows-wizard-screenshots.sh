#!/usr/bin/env bash
# Screenshots of Setup.exe's wizard under Wine and a virtual display: every
# page of an installation of the example package, the uninstallation and
# the clean-up question, at 96 dpi and (pages 2 and 5) at 144 dpi, with the
# IPA fonts standing in for "ＭＳ Ｐゴシック". Into docs/screenshots/windows/.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/build-windows.sh >/dev/null
export PATH="$PATH:/usr/lib/wine"
wine=wine
command -v wine >/dev/null || wine=wine64
# No menu entries or desktop files on the host for the shortcuts made.
export WINEDEBUG=-all WINEDLLOVERRIDES='mscoree,mshtml=;winemenubuilder.exe=d'
out="$PWD/docs/screenshots/windows"
mkdir -p "$out"

template="$PWD/build/windows-cmake/prefix-template"
if [ ! -f "$template/system.reg" ]; then
  mkdir -p "$template"
  WINEPREFIX="$template" "$wine" wineboot -i >/dev/null 2>&1
  WINEPREFIX="$template" wineserver -w
fi
work="$(mktemp -d "${TMPDIR:-/tmp}/kestro-shots.XXXXXX")"
export WINEPREFIX="$work/prefix"
trap 'wineserver -k 2>/dev/null || true; rm -rf "$work"' EXIT
windows_path() { local p="${1//\//\\}"; printf 'Z:%s' "$p"; }
# The dialog font's name stands for the IPA P Gothic of the host; Wine
# draws the window frames itself, as there is no window manager.
python3 - "$work/settings.reg" <<'PY'
import sys
text = ('Windows Registry Editor Version 5.00\r\n\r\n'
        '[HKEY_CURRENT_USER\\Software\\Wine\\Fonts\\Replacements]\r\n'
        '"\uff2d\uff33 \uff30\u30b4\u30b7\u30c3\u30af"="IPAPGothic"\r\n'
        '"\uff2d\uff33 \u30b4\u30b7\u30c3\u30af"="IPAGothic"\r\n'
        '"MS UI Gothic"="IPAPGothic"\r\n\r\n'
        '[HKEY_CURRENT_USER\\Software\\Wine\\X11 Driver]\r\n'
        '"Decorated"="N"\r\n')
open(sys.argv[1], 'wb').write(b'\xff\xfe' + text.encode('utf-16-le'))
PY
shots="$work/shots"
mkdir -p "$shots"
shoot() {  # shoot [DPI]: a fresh prefix with the package in C:\pkg
  rm -rf "$WINEPREFIX"
  cp -a "$template/." "$WINEPREFIX/"
  "$wine" regedit /S "$(windows_path "$work/settings.reg")" >/dev/null 2>&1
  wineserver -w  # the windows need a Wine started on the virtual display
  mkdir -p "$WINEPREFIX/drive_c/pkg"
  # The desktop of the prefix is its own folder, not the host's home.
  rm -f "$WINEPREFIX/drive_c/users/$(id -un)/Desktop"
  mkdir -p "$WINEPREFIX/drive_c/users/$(id -un)/Desktop"
  cp examples/setup-package/* build/windows/Setup.exe "$WINEPREFIX/drive_c/pkg/"
  xvfb-run -a -s "-screen 0 1024x768x24 -dpi 96" \
    "$wine" build/windows/wizard_screenshots.exe "$(windows_path "$shots")" "$@" >/dev/null
  wineserver -k 2>/dev/null || true
}
shoot
shoot 144
for file in "$shots"/*.bmp; do
  name="$(basename "${file%.bmp}")"
  case "$name" in
    *-144dpi) case "$name" in setup-page02-144dpi | setup-page05-144dpi) ;; *) continue ;; esac ;;
  esac
  python3 scripts/bmp-to-png.py "$file" "$out/$name.png"
done
echo "Screenshots in $out"
