#!/usr/bin/env bash
# Screenshots of Setup.exe's windows under Wine on a virtual display
# (1024 x 768, 96 dpi), with the Japanese Windows faces mapped onto the IPA
# fonts in a fresh prefix, into docs/screenshots/windows/ as PNG files:
#   background.png  the background window painted from the example
#                   package's Setup.dat;
#   message.png     the close question as the system's message box;
#   browse.png      the shell's folder picker as the destination page
#                   opens it.
# With no window manager on the virtual display, Wine draws the windows'
# frames and captions itself (its X11 driver's Managed=N).
# More windows: add a line calling screenshot (below) with a program that
# takes the path of the BMP file to write as its last argument.
set -euo pipefail
cd "$(dirname "$0")/.."
if [ -z "${KESTRO_ON_VIRTUAL_DISPLAY:-}" ]; then
  exec xvfb-run -a -s "-screen 0 1024x768x24 -dpi 96" env KESTRO_ON_VIRTUAL_DISPLAY=1 "$0" "$@"
fi
scripts/build-windows.sh >/dev/null

export PATH="$PATH:/usr/lib/wine"
wine=wine
command -v wine >/dev/null || wine=wine64
# No menu entries or desktop files on the host for the shortcuts made.
export WINEDEBUG=-all WINEDLLOVERRIDES='mscoree,mshtml=;winemenubuilder.exe=d'

out="docs/screenshots/windows"
mkdir -p "$out"
work="$(mktemp -d "${TMPDIR:-/tmp}/kestro-shots.XXXXXX")"
export WINEPREFIX="$work/prefix"
cleanup() {
  wineserver -k 2>/dev/null || true
  rm -rf "$work"
}
trap cleanup EXIT
template="$PWD/build/windows-cmake/prefix-template"
if [ -f "$template/system.reg" ]; then
  cp -a "$template/." "$WINEPREFIX/"
else
  mkdir -p "$WINEPREFIX"
  "$wine" wineboot -i >/dev/null 2>&1
  wineserver -w
fi
scripts/wine-japanese-fonts.sh "$wine"
"$wine" reg add 'HKCU\Software\Wine\X11 Driver' /v Managed /d N /f >/dev/null 2>&1
wineserver -w

# screenshot PROGRAM NAME [ARGUMENT...]: runs PROGRAM ARGUMENT... NAME.bmp
# under Wine; the program shows its window and writes what it shows to that
# bitmap, which becomes $out/NAME.png.
screenshot() {
  local program="$1" name="$2"
  shift 2
  "$wine" "$program" "$@" "$work/$name.bmp" >/dev/null
  python3 scripts/bmp-to-png.py "$work/$name.bmp" "$out/$name.png"
  echo "$out/$name.png"
}

cp examples/setup-package/Setup.dat "$work/Setup.dat"
screenshot build/windows/background_probe.exe background screenshot "$work/Setup.dat"
screenshot build/windows/background_probe.exe message message
screenshot build/windows/background_probe.exe browse browse

# The wizard's pages, an installation and an uninstallation of the example
# package and the clean-up question; the prefix's desktop is its own
# folder, not the host's home.
desktop="$WINEPREFIX/drive_c/users/$(id -un)/Desktop"
if [ -L "$desktop" ]; then rm -f "$desktop" && mkdir -p "$desktop"; fi
mkdir -p "$WINEPREFIX/drive_c/pkg"
cp examples/setup-package/* build/windows/Setup.exe "$WINEPREFIX/drive_c/pkg/"
mkdir -p "$work/wizard"
"$wine" build/windows/wizard_screenshots.exe "Z:${work//\//\\}\\wizard" >/dev/null
"$wine" build/windows/wizard_screenshots.exe "Z:${work//\//\\}\\wizard" 144 >/dev/null
for file in "$work"/wizard/*.bmp; do
  name="$(basename "${file%.bmp}")"
  case "$name" in
    *-144dpi) case "$name" in setup-page02-144dpi | setup-page05-144dpi) ;; *) continue ;; esac ;;
  esac
  python3 scripts/bmp-to-png.py "$file" "$out/$name.png"
  echo "$out/$name.png"
done
