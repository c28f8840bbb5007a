#!/usr/bin/env bash
# Installs the dependencies, builds everything and runs every test: first the
# optimised build, then once more under AddressSanitizer and
# UndefinedBehaviorSanitizer, then each fuzz harness briefly (FUZZ_SECONDS
# each, SKIP_FUZZ=1 to leave it out).
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/install-deps.sh
jobs="${JOBS:-2}"

cmake -S . -B build/release -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
cmake --build build/release -j "$jobs"
(cd build/release && ctest --output-on-failure -j "$jobs" --timeout 300)

if [ "${SKIP_SANITIZE:-0}" != "1" ]; then
  cmake -S . -B build/asan -G Ninja -DCMAKE_BUILD_TYPE=Debug -DPLAKATO_SANITIZE=ON \
    -DPLAKATO_BUILD_BENCH=OFF >/dev/null
  cmake --build build/asan -j "$jobs"
  export ASAN_OPTIONS="detect_leaks=1:abort_on_error=1:strict_string_checks=1"
  export LSAN_OPTIONS="suppressions=$PWD/scripts/lsan.supp:print_suppressions=0"
  export UBSAN_OPTIONS="print_stacktrace=1:halt_on_error=1"
  (cd build/asan && ctest --output-on-failure -j "$jobs" --timeout 600)
fi

[ "${SKIP_WINDOWS:-0}" = "1" ] || scripts/test-windows.sh
if [ "${SKIP_FUZZ:-0}" != "1" ]; then
  scripts/fuzz.sh "${FUZZ_SECONDS:-8}"
fi
