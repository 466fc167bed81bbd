#!/bin/bash
# qarn_test_keys plays what it is told once something connects to it: JACK's
# MIDI monitor listens, and its dump must hold each note's on and off in
# order. Runs under with-jack.sh.
#   test-keys-check.sh QARN_TEST_KEYS
set -u
keys_program=$1
work=$(mktemp -d "${TMPDIR:-/tmp}/test-keys.XXXXXX")
monitor_pid=
cleanup() {
  [ -n "$monitor_pid" ] && kill "$monitor_pid" 2>/dev/null && wait "$monitor_pid" 2>/dev/null
  rm -rf "$work"
}
trap cleanup EXIT

jack_midi_dump qarn_monitor >"$work/dump.txt" 2>/dev/null &
monitor_pid=$!
"$keys_program" keys --hold 20 --channel 3 60 64:90 >"$work/keys.txt" 2>&1 &
keys_pid=$!
until grep -q '^ready qarn_test_keys:keys$' "$work/keys.txt" && jack_lsp qarn_monitor:input | grep -q .; do
  if ! kill -0 "$keys_pid" 2>/dev/null; then
    echo "qarn_test_keys ended before it was ready:"; cat "$work/keys.txt"; exit 1
  fi
  sleep 0.05
done
jack_connect qarn_test_keys:keys qarn_monitor:input || exit 1
wait "$keys_pid" || { echo "qarn_test_keys failed:"; cat "$work/keys.txt"; exit 1; }
kill "$monitor_pid"; wait "$monitor_pid" 2>/dev/null; monitor_pid=

# The monitor writes "time: 92 3c 64 note on ..."; only the bytes matter.
played=$(sed -n 's/^[^:]*: *\([0-9a-f][0-9a-f] [0-9a-f][0-9a-f] [0-9a-f][0-9a-f]\).*/\1/p' "$work/dump.txt" | tr '\n' '|')
expected="92 3c 64|82 3c 00|92 40 5a|82 40 00|"
if [ "$played" != "$expected" ]; then
  echo "played: $played"; echo "expected: $expected"; echo "the monitor's dump:"; cat "$work/dump.txt"; exit 1
fi
echo "qarn_test_keys played 2 notes in order"
