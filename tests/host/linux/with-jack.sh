#!/bin/bash
# Runs a command beside a JACK server of its own, for tests of live MIDI and
# sound where there is no sound card:
#   with-jack.sh COMMAND [ARGS...]
# The server runs on the dummy driver under a name of this run's own (in
# JACK_DEFAULT_SERVER, which libjack and so the command use), so that runs
# side by side and a user's own server never meet; it is stopped when the
# command ends, and the command's exit status is this script's.
set -u

export JACK_DEFAULT_SERVER=qarn-test-$$-$RANDOM
log=$(mktemp "${TMPDIR:-/tmp}/with-jack.XXXXXX")

# Without realtime scheduling: containers and CI machines grant none.
jackd --no-realtime -n "$JACK_DEFAULT_SERVER" -d dummy -r 44100 -p 512 >"$log" 2>&1 &
jackd_pid=$!

stop_server() {
  kill "$jackd_pid" 2>/dev/null
  wait "$jackd_pid" 2>/dev/null
  rm -f "$log"
}
trap stop_server EXIT

# Until the server answers, or has ended; jack_wait -c asks once, starting nothing.
until [ "$(jack_wait -c 2>/dev/null)" = running ]; do
  if ! kill -0 "$jackd_pid" 2>/dev/null; then
    echo "with-jack.sh: the JACK server did not start:" >&2
    cat "$log" >&2
    exit 1
  fi
  sleep 0.1
done

"$@"
