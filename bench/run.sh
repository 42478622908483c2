#!/usr/bin/env bash
# Builds the benchmarks in release mode and runs every case on the large store (made on
# first use in build-bench/bench/store.dat). --small runs on the CI-sized store instead.
set -euo pipefail
cd "$(dirname "$0")/.."
if [ "${1:-}" = "--small" ]; then
  export VIALDESK_BENCH_SMALL=1
  export VIALDESK_BENCH_STORE="${VIALDESK_BENCH_STORE:-$PWD/build-bench/bench/store-small.dat}"
  shift
fi
cmake -S . -B build-bench -DCMAKE_BUILD_TYPE=Release -DVIALDESK_TESTS=OFF
cmake --build build-bench -j "$(nproc)" --target vialdesk_bench genstore
export QT_QPA_PLATFORM=offscreen
exec build-bench/bench/vialdesk_bench --benchmark_color=false "$@"
