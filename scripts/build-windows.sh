#!/usr/bin/env bash
# Cross-builds the Windows programs with mingw-w64 into build/windows:
# statically linked, so they need no DLL beside them but the system's.
set -euo pipefail
cd "$(dirname "$0")/.."
if [ ! -f build/windows-cmake/build.ninja ]; then
  cmake -S . -B build/windows-cmake -G Ninja -DCMAKE_BUILD_TYPE=Release \
    -DCMAKE_TOOLCHAIN_FILE=cmake/mingw-w64-x86_64.cmake >/dev/null
fi
cmake --build build/windows-cmake -j2 "$@"
mkdir -p build/windows
for program in Setup.exe win32_tests.exe setup_win32_tests.exe background_probe.exe wizard_screenshots.exe \
  win32_wizard_tests.exe; do
  cp build/windows-cmake/"$program" build/windows/
done
