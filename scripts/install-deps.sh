#!/usr/bin/env bash
# Installs every package the project builds, tests and runs with on Debian 12.
# Idempotent and quiet when everything is already there.
set -euo pipefail
packages=(
  cmake ninja-build g++ pkg-config ccache clang-format
  qt6-base-dev libgl-dev
  libfreetype-dev libfontconfig-dev
  libpng-dev libjpeg-dev libgif-dev
  libsqlite3-dev
  googletest libgtest-dev libgmock-dev libbenchmark-dev
  clang-14 libclang-rt-14-dev
  fonts-ipafont-gothic fonts-ipafont-mincho
  qt6-translations-l10n
  xvfb xauth
  g++-mingw-w64-x86-64-posix wine64
)
missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done
if ((${#missing[@]})); then
  echo "Installing: ${missing[*]}"
  sudo=""
  [ "$(id -u)" -eq 0 ] || sudo="sudo"
  $sudo apt-get update -qq
  DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -qq --no-install-recommends "${missing[@]}" >/dev/null
fi
