#!/usr/bin/env bash
# Builds the native benchmarks without sanitizers, optimised, and runs them.
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
"$here/setup.sh"
source "$here/lib/builds.sh"
bench_build=$ROOT/build/bench
cmake -S "$ROOT" -B "$bench_build" -G Ninja -DCMAKE_BUILD_TYPE=Release \
  -DQARN_SANITIZE=OFF -DQARN_TESTS=OFF -DQARN_BENCHMARKS=ON >/dev/null
cmake --build "$bench_build" -j"$(nproc)"
for bench in "$bench_build"/benchmarks/*_bench; do
  echo "== $(basename "$bench")"
  "$bench" --benchmark_counters_tabular=true
done
