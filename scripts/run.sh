#!/usr/bin/env bash
# Installs the dependencies, builds the programs and runs the main job: with a
# display the banner maker window opens; without one the example designs are
# rendered to PNG files.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/install-deps.sh
cmake --preset release >/dev/null
cmake --build --preset release -j "${JOBS:-2}"
if [ -n "${DISPLAY:-}${WAYLAND_DISPLAY:-}" ] && [ -x build/release/banner/app/Plakato ]; then
  exec build/release/banner/app/Plakato "$@"
fi
out="build/examples"
mkdir -p "$out"
for f in examples/*.pkc; do
  name="$(basename "${f%.pkc}")"
  build/release/banner/app/plakato-render "$f" "$out/$name.png"
done
echo "Rendered the example designs to $(cd "$out" && pwd)"
