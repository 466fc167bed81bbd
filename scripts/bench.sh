#!/usr/bin/env bash
# Builds the native benchmarks without sanitizers, optimised, and runs them.
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
"$here/setup.sh"
source "$here/lib/builds.sh"
build_preset bench
for bench in "$(preset_build bench)"/benchmarks/*_bench; do
  echo "== $(basename "$bench")"
  "$bench" --benchmark_counters_tabular=true
done
