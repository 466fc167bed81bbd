#!/usr/bin/env bash
# Fuzzes the plug-in's dispatcher, its MIDI intake (effProcessEvents), the
# host's MIDI file reader, the CLAP build's events and state reader (clap)
# and the VST 3 build's (vst3) with libFuzzer, each for a bounded time, starting
# from the seed corpus in fuzz/corpus/<target>. Inputs found go to
# build/fuzz/corpus/<target>; a crash is saved in build/fuzz/crashes/ and
# makes the script fail (turn it into a regression test, and add it to the
# seeds).
#
#   scripts/fuzz.sh [seconds per target, default 30] [target...]
#   targets: dispatcher process_events midi_file clap vst3 (default: all)
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
"$here/setup.sh"
source "$here/lib/builds.sh"
source "$here/lib/hardening.sh"

seconds=${1:-30}
[ $# -gt 0 ] && shift
[ $# -gt 0 ] && FUZZ_TARGETS=("$@")

build_fuzz >/dev/null
mkdir -p "$FUZZ_BUILD/crashes"
status=0
for target in "${FUZZ_TARGETS[@]}"; do
  corpus=$FUZZ_BUILD/corpus/$target
  mkdir -p "$corpus"
  log=$FUZZ_BUILD/$target.log
  "$FUZZ_BUILD/fuzz/${target}_fuzz" -max_total_time="$seconds" -print_final_stats=1 \
    -artifact_prefix="$FUZZ_BUILD/crashes/$target-" "$corpus" "$ROOT/fuzz/corpus/$target" >"$log" 2>&1 || true
  runs=$(sed -n 's/^stat::number_of_executed_units: *//p' "$log")
  if grep -qE '^==[0-9]+==ERROR|^SUMMARY:|deadly signal|Test unit written' "$log"; then
    echo "$target: CRASH after ${runs:-?} runs, see $log"
    grep -m1 'Test unit written' "$log" || true
    status=1
  else
    echo "$target: ${runs:-?} runs in ${seconds} s, no crash; corpus $(ls "$corpus" | wc -l) inputs"
  fi
done
exit $status
