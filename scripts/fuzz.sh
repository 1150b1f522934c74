#!/usr/bin/env bash
# Builds the libFuzzer targets with clang (AddressSanitizer and
# UndefinedBehaviorSanitizer on) in build-fuzz and runs each for a bounded
# time from its seed corpus (the names target also links the Qt Gui layer).
# Then the road and check targets run again on long inputs (up to 64 KiB)
# with a short time-out, so that a pass that grows too fast with its input is
# found here and not by a user. Fails on any
# finding; findings are kept in build-fuzz/artifacts.
# Usage: scripts/fuzz.sh [seconds-per-target]   (default 60)
set -euo pipefail
cd "$(dirname "$0")/.."
seconds="${1:-60}"
scripts/deps.sh clang libclang-rt-14-dev
CC=clang CXX=clang++ cmake -S . -B build-fuzz -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
  -DKELVO_GUI=OFF -DKELVO_FUZZ=ON > /dev/null
cmake --build build-fuzz -j2 | tail -n 1
export ASAN_OPTIONS="detect_leaks=1:abort_on_error=1"
# The names target draws text and lays out diagrams: the libraries' own caches stay.
export LSAN_OPTIONS="suppressions=$PWD/tests/lsan.supp"
export UBSAN_OPTIONS="print_stacktrace=1:halt_on_error=1"
mkdir -p build-fuzz/artifacts
status=0
# run NAME LABEL MAX_LEN TIMEOUT
run() {
  local name="$1" label="$2" max_len="$3" timeout="$4"
  local work="build-fuzz/corpus/$name"
  local log="build-fuzz/fuzz_$name$label.log"
  mkdir -p "$work"
  # New inputs go to the work folder; the seeds in the repository stay as they are.
  if build-fuzz/fuzz/fuzz_$name -max_total_time="$seconds" -timeout="$timeout" -rss_limit_mb=2048 \
      -max_len="$max_len" -artifact_prefix=build-fuzz/artifacts/ -print_final_stats=1 \
      "$work" "fuzz/corpus/$name" > "$log" 2>&1; then
    echo "fuzz_$name$label: $(grep -m1 -o 'number_of_executed_units: [0-9]*' "$log"), no finding"
  else
    echo "fuzz_$name$label: FINDING"
    grep -E "ERROR|SUMMARY|artifact" "$log" | head -n 20
    status=1
  fi
}
for name in states_file expressions circuit check names; do
  run "$name" "" 4096 10
done
for name in circuit check; do
  run "$name" " (long inputs)" 65536 5
done
exit $status
