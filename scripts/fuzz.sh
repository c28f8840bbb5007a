#!/usr/bin/env bash
# Builds the libFuzzer harnesses of fuzz/ with clang in build/fuzz, runs every
# kept crash input of fuzz/regressions/<harness>/ (each must now pass), then
# fuzzes each harness for SECONDS (default 10) on a copy of its seed corpus
# fuzz/corpus/<harness>/. Logs and any new crash inputs go to build/fuzz/runs/.
#
#   scripts/fuzz.sh [SECONDS]
#   FUZZ_ONLY="cp932 windows_path"   only these harnesses
#   FUZZ_RUNS=1000000                 stop each harness after that many inputs (or SECONDS)
#   FUZZ_SKIP_BUILD=1                 run what the build folder holds (parallel runs of this script)
#   FUZZ_BUILD_DIR=build/fuzz         the build folder, inside the checkout
set -euo pipefail
cd "$(dirname "$0")/.."
root="$PWD"
seconds="${1:-10}"
jobs="${JOBS:-2}"
build="${FUZZ_BUILD_DIR:-build/fuzz}"

if [ "${FUZZ_SKIP_BUILD:-0}" != "1" ]; then
  # The fuzz preset, in the folder asked for.
  cmake --preset fuzz -B "$build" >/dev/null
  cmake --build "$build" -j "$jobs" --target fuzzers
fi

export ASAN_OPTIONS="abort_on_error=1:detect_leaks=1"
export LSAN_OPTIONS="suppressions=$root/scripts/lsan.supp:print_suppressions=0"
export UBSAN_OPTIONS="print_stacktrace=1:halt_on_error=1"

harnesses="${FUZZ_ONLY:-$(cd fuzz && ls -- *_fuzzer.cpp | sed 's/_fuzzer\.cpp$//')}"
runs="$root/$build/runs"
awaiting="$root/fuzz/regressions/awaiting_fix.txt"
# fuzz_one HARNESS: its kept crash inputs, then SECONDS of fuzzing. Says
# what happened; fails when the harness found a fault that counts.
fuzz_one() {
  local harness="$1"
  local binary="$root/$build/fuzz/fuzz_$harness"
  local work="$runs/$harness"
  rm -rf "$work"
  mkdir -p "$work/corpus"
  cp "$root/fuzz/corpus/$harness/"* "$work/corpus/"
  local common=(-rss_limit_mb=2048 -timeout=20 -artifact_prefix="$work/")

  local regressions=() input
  for input in "$root/fuzz/regressions/$harness/"*; do
    [ -f "$input" ] || continue
    if grep -q "^$harness/$(basename "$input")\b" "$awaiting"; then continue; fi
    regressions+=("$input")
  done
  if ((${#regressions[@]})); then
    if ! "$binary" "${common[@]}" "${regressions[@]}" >"$work/regressions.log" 2>&1; then
      echo "$harness: a kept crash input fails again (see $work/regressions.log)"
      tail -n 30 "$work/regressions.log"
      return 1
    fi
  fi

  local started limits executions
  started=$(date +%s)
  limits=(-max_total_time="$seconds")
  [ -n "${FUZZ_RUNS:-}" ] && limits+=(-runs="$FUZZ_RUNS")
  if "$binary" "${common[@]}" "${limits[@]}" -print_final_stats=1 \
      "$work/corpus" >"$work/fuzz.log" 2>&1; then
    executions=$(sed -n 's/^stat::number_of_executed_units: *//p' "$work/fuzz.log")
    echo "$harness: ${executions:-?} executions in $(($(date +%s) - started)) s, ${#regressions[@]} kept inputs pass"
    return 0
  fi
  echo "$harness: the fuzzer found a fault (input and log in $work)"
  grep -E "ERROR|SUMMARY|property broken|runtime error" "$work/fuzz.log" | head -n 5 || true
  if grep -q "^$harness/" "$awaiting"; then
    echo "$harness: not counted as a failure while a fix for it is awaited (fuzz/regressions/awaiting_fix.txt)"
    return 0
  fi
  return 1
}

# The harnesses run side by side, one per job; each says its lines when done.
mkdir -p "$runs"
rm -f "$runs"/*.failed "$runs"/*.out
running=0
for harness in $harnesses; do
  if ((running >= jobs)); then
    wait -n || true
    running=$((running - 1))
  fi
  (fuzz_one "$harness" >"$runs/$harness.out" 2>&1 || touch "$runs/$harness.failed"
   cat "$runs/$harness.out") &
  running=$((running + 1))
done
wait
failed=()
for harness in $harnesses; do
  [ -e "$runs/$harness.failed" ] && failed+=("$harness")
done

if ((${#failed[@]})); then
  echo "fuzzing failed: ${failed[*]}"
  exit 1
fi
