#!/bin/bash
# A keyboard played into the Linux host through JACK: the stand-in keyboard
# (qarn_test_keys) holds middle C for three seconds once the host connects
# to it with --midi-in, and the host's script checks that the key lights
# while it is held and goes dark after. Run under with-jack.sh.
#   run-live-midi.sh QARN_TEST_KEYS SCRIPT HOST PLUGIN
set -u
keys=$1 script=$2 host=$3 plugin=$4
output=$(mktemp)
trap 'rm -f "$output"' EXIT

"$keys" live --hold 3000 60 >"$output" 2>&1 &
keys_pid=$!
for _ in $(seq 100); do
  grep -q '^ready' "$output" && break
  sleep 0.1
done
"$host" "$plugin" --midi-in qarn_test_keys:live --script "$script"
status=$?
wait "$keys_pid"
keys_status=$?
cat "$output"
if [ $keys_status -ne 0 ]; then
  echo "run-live-midi: the stand-in keyboard ended with status $keys_status"
  exit 1
fi
exit $status
