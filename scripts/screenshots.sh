#!/usr/bin/env bash
# Builds the banner maker and renders screenshots of its main window (both
# tabs) and of the background image chooser under a virtual display, into
# build/screenshots/.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/install-deps.sh
cmake --preset release >/dev/null
cmake --build --preset release --target plakato-screenshots -j "${JOBS:-2}"
out="build/screenshots"
mkdir -p "$out"
xvfb-run -a -s "-screen 0 1024x768x24 -dpi 96" build/release/banner/app/plakato-screenshots "$out"
echo "Screenshots in $(cd "$out" && pwd)"
