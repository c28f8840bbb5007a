#!/usr/bin/env bash
# Installs the dependencies, checks the code's layout, builds everything and
# runs every test: first the optimised build, then once more under
# AddressSanitizer and UndefinedBehaviorSanitizer (built with clang, the fuzz
# harnesses with it), then each fuzz harness briefly (FUZZ_SECONDS each),
# then the Windows build under Wine. SKIP_SANITIZE=1, SKIP_FUZZ=1 and
# SKIP_WINDOWS=1 leave a phase out.
# The builds are the presets of CMakePresets.json; the compiler cache makes a
# second run, and a run in another checkout on the same machine, mostly cache
# hits. Each phase says how long it took.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/install-deps.sh
jobs="${JOBS:-2}"

# timed NAME COMMAND...: runs the command and says how long it took.
timed() {
  local name="$1" started=$SECONDS
  shift
  "$@"
  echo "== $name: $((SECONDS - started)) s"
}
build() {
  # A folder configured before its preset changed compiler cannot be
  # configured again: it starts afresh.
  if ! cmake --preset "$1" >/dev/null 2>&1; then
    rm -rf "build/$1"
    cmake --preset "$1" >/dev/null
  fi
  cmake --build --preset "$1" -j "$jobs"
}

timed "layout check" scripts/check-format.sh
timed "release build" build release
timed "release tests" ctest --preset release -j "$jobs"

if [ "${SKIP_SANITIZE:-0}" != "1" ]; then
  timed "sanitizer build" build asan
  timed "sanitizer tests" ctest --preset asan -j "$jobs"
fi

# The sanitizer build has built the harnesses too; without it they get a
# build of their own.
if [ "${SKIP_FUZZ:-0}" != "1" ]; then
  if [ "${SKIP_SANITIZE:-0}" != "1" ]; then
    timed "fuzz harnesses" env FUZZ_BUILD_DIR=build/asan FUZZ_SKIP_BUILD=1 scripts/fuzz.sh "${FUZZ_SECONDS:-6}"
  else
    timed "fuzz harnesses" scripts/fuzz.sh "${FUZZ_SECONDS:-6}"
  fi
fi

# The Windows build, its back end's tests and the end-to-end scenario, under
# Wine.
if [ "${SKIP_WINDOWS:-0}" != "1" ]; then
  timed "windows build and tests" scripts/test-windows.sh
fi
echo "== total: $SECONDS s"
