#!/usr/bin/env bash
# Builds the benchmarks in release mode and runs every case on one store: the medium one
# by default, --large or --small for the others. The stores are made on first use in
# $VIALDESK_BENCH_DIR (default ~/.cache/vialdesk-bench), shared by every checkout of the
# machine; the generator is deterministic, so they are the same everywhere.
set -euo pipefail
cd "$(dirname "$0")/.."
size=medium
case "${1:-}" in
  --small) size=small; shift ;;
  --large) size=large; shift ;;
esac
export VIALDESK_BENCH_SIZE=$size
dir="${VIALDESK_BENCH_DIR:-${XDG_CACHE_HOME:-$HOME/.cache}/vialdesk-bench}"
export VIALDESK_BENCH_STORE="${VIALDESK_BENCH_STORE:-$dir/store-$size.dat}"
cmake -S . -B build-bench -DCMAKE_BUILD_TYPE=Release -DVIALDESK_TESTS=OFF
cmake --build build-bench -j 4 --target vialdesk_bench genstore
export QT_QPA_PLATFORM=offscreen
exec build-bench/bench/vialdesk_bench --benchmark_color=false "$@"
