#!/usr/bin/env bash
# Runs the host with scripts/hand-press.txt and clicks the panel's practice
# button with the real mouse (xdotool on the X display) once the editor is
# open; the host must then count one of two expected notes: 50.00.
#   run-hand-press.sh <host command...>
set -uo pipefail
output=$(mktemp)
trap 'rm -f "$output"' EXIT
"$@" >"$output" 2>&1 &
host=$!
for _ in $(seq 600); do
  grep -q '^editor-open: 1' "$output" && break
  kill -0 "$host" 2>/dev/null || break
  sleep 0.1
done
window=$(xdotool search --name '^Qarn Host' | head -1)
if [ -n "$window" ]; then
  # The X window is the host window's client area, where the panel's top-left corner is.
  eval "$(xdotool getwindowgeometry --shell "$window")"
  xdotool mousemove $((X + 74)) $((Y + 12)) click 1
fi
wait "$host"
status=$?
cat "$output"
if [ $status -ne 0 ] || ! grep -q '^practice-percentage: 50.00' "$output"; then
  echo "run-hand-press: exit status $status; the hand press on the practice button was not counted"
  exit 1
fi
