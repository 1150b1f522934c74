#!/usr/bin/env bash
# Builds the Google Benchmark programs in Release (build-bench) and runs them.
# Installs missing Debian packages first. Arguments go to every benchmark
# program, e.g. scripts/bench.sh --benchmark_repetitions=5
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/deps.sh libbenchmark-dev
# GCC 12 at -O3 reports bogus -Wrestrict warnings on plain std::string
# assignments such as s = "*" (GCC bug 105329); the option silences only those.
cmake -S . -B build-bench -G Ninja -DCMAKE_BUILD_TYPE=Release -DKELVO_BENCHMARKS=ON -DCMAKE_CXX_FLAGS=-Wno-restrict
cmake --build build-bench -j2 --target kelvo16s_benchmarks
for program in build-bench/bench/*_bench; do
  "$program" "$@"
done
