#!/usr/bin/env bash
# Maps the Japanese Windows faces onto the IPA fonts (installed by
# scripts/install-deps.sh) in the current WINEPREFIX, through Wine's font
# replacement keys, so that "ＭＳ Ｐゴシック" and its kin render as on a
# Japanese Windows instead of as empty boxes. Usage: wine-japanese-fonts.sh
# WINE_COMMAND
set -euo pipefail
wine="${1:-wine}"
reg="$(mktemp "${TMPDIR:-/tmp}/kestro-fonts.XXXXXX.reg")"
trap 'rm -f "$reg"' EXIT
# regedit reads UTF-16LE with a byte-order mark.
python3 - "$reg" <<'PY'
import sys
faces = {
    "ＭＳ Ｐゴシック": "IPAPGothic", "MS PGothic": "IPAPGothic", "MS UI Gothic": "IPAPGothic",
    "ＭＳ ゴシック": "IPAGothic", "MS Gothic": "IPAGothic",
    "ＭＳ 明朝": "IPAMincho", "MS Mincho": "IPAMincho",
    "ＭＳ Ｐ明朝": "IPAPMincho", "MS PMincho": "IPAPMincho",
}
lines = ["Windows Registry Editor Version 5.00", "", r"[HKEY_CURRENT_USER\Software\Wine\Fonts\Replacements]"]
lines += ['"%s"="%s"' % (windows, host) for windows, host in faces.items()]
with open(sys.argv[1], "wb") as f:
    f.write("\ufeff".encode("utf-16-le") + ("\r\n".join(lines) + "\r\n").encode("utf-16-le"))
PY
# Drive Z: is the host's root in every prefix.
"$wine" regedit /S "Z:${reg//\//\\}" >/dev/null 2>&1
wineserver -w
