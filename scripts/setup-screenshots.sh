#!/usr/bin/env bash
# Builds Setup's windows and renders screenshots of the background and of
# every wizard page (an installation and an uninstallation of the example
# package on a temporary target system, and the clean-up question) under a
# virtual display, into build/setup-screenshots/.
set -euo pipefail
cd "$(dirname "$0")/.."
cmake --preset release >/dev/null
cmake --build --preset release --target setup-screenshots -j "${JOBS:-2}"
out="build/setup-screenshots"
mkdir -p "$out"
xvfb-run -a -s "-screen 0 1024x768x24 -dpi 96" build/release/setup/app/window/setup-screenshots "$out"
echo "Screenshots in $(cd "$out" && pwd)"
