#!/usr/bin/env bash
# Builds the native benchmarks without sanitizers, optimised, and runs them
# (on a private Xvfb display when there is no X display).
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
"$here/setup.sh"
source "$here/lib/builds.sh"
build_preset bench
# The note-to-screen benchmark draws in a window on an X display.
if [ -z "${DISPLAY:-}" ]; then
  source "$here/lib/xvfb.sh"
  trap xvfb_stop EXIT
  xvfb_start
fi
for bench in "$(preset_build bench)"/benchmarks/*_bench "$(preset_build bench)"/benchmarks/x11/*_bench; do
  echo "== $(basename "$bench")"
  "$bench" --benchmark_counters_tabular=true
done
