#!/usr/bin/env bash
# Builds the libFuzzer targets with clang (AddressSanitizer and
# UndefinedBehaviorSanitizer on) in build-fuzz and runs each for a bounded
# time from its seed corpus. Fails on any finding; findings are kept in
# build-fuzz/artifacts.
# Usage: scripts/fuzz.sh [seconds-per-target]   (default 60)
set -euo pipefail
cd "$(dirname "$0")/.."
seconds="${1:-60}"
scripts/deps.sh clang libclang-rt-14-dev
CC=clang CXX=clang++ cmake -S . -B build-fuzz -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
  -DKELVO_GUI=OFF -DKELVO_FUZZ=ON > /dev/null
cmake --build build-fuzz -j2 | tail -n 1
export ASAN_OPTIONS="detect_leaks=1:abort_on_error=1"
export UBSAN_OPTIONS="print_stacktrace=1:halt_on_error=1"
mkdir -p build-fuzz/artifacts
status=0
for name in states_file expressions circuit; do
  work="build-fuzz/corpus/$name"
  log="build-fuzz/fuzz_$name.log"
  mkdir -p "$work"
  # New inputs go to the work folder; the seeds in the repository stay as they are.
  if build-fuzz/fuzz/fuzz_$name -max_total_time="$seconds" -timeout=10 -rss_limit_mb=2048 -max_len=4096 \
      -artifact_prefix=build-fuzz/artifacts/ -print_final_stats=1 "$work" "fuzz/corpus/$name" > "$log" 2>&1; then
    echo "fuzz_$name: $(grep -m1 -o 'number_of_executed_units: [0-9]*' "$log"), no finding"
  else
    echo "fuzz_$name: FINDING"
    grep -E "ERROR|SUMMARY|artifact" "$log" | head -n 20
    status=1
  fi
done
exit $status
