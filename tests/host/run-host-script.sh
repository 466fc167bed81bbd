#!/usr/bin/env bash
# Runs the host (through Wine) and checks how it ended.
#   run-host-script.sh <exit status> <output pattern or ""> <file it must write or ""> <command...>
# The pattern is an extended regular expression looked for in stdout and stderr together.
set -uo pipefail
expected_status=$1
pattern=$2
written=$3
shift 3

rm -f -- "${written:-/nonexistent}"
output=$("$@" 2>&1)
status=$?
printf '%s\n' "$output"

fail=0
if [ "$status" -ne "$expected_status" ]; then
  echo "run-host-script: exit status $status, expected $expected_status"
  fail=1
fi
if [ -n "$pattern" ] && ! grep -qE -- "$pattern" <<<"$output"; then
  echo "run-host-script: the output lacks: $pattern"
  fail=1
fi
if [ -n "$written" ] && [ ! -s "$written" ]; then
  echo "run-host-script: $written was not written"
  fail=1
fi
exit $fail
