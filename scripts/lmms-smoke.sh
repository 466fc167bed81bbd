#!/usr/bin/env bash
# Smoke test in a real third-party host: Debian's i386 LMMS renders a small
# project (tests/lmms/project.mmp.in) with the plug-in on an instrument track,
# headless on a private Xvfb display, its VST server running the DLL under
# Wine with Wine's debugger disabled (a crash ends the run instead of hanging
# it). LMMS exits 0 whatever happened to the plug-in, so the run is judged by
# its output: the plug-in must have been loaded (LMMS prints its unique ID),
# and neither LMMS nor Wine may report a fault.
#
# First, as a control, the same project renders with tests/lmms/FaultingPlugin,
# which faults on its first block of events: that run must be judged a crash.
#
#   scripts/lmms-smoke.sh        exit 0 passed, 1 failed
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
"$here/setup.sh"
source "$here/lib/builds.sh"
source "$here/lib/lmms.sh"

lmms_runnable || exit 1
build_win32 --target QarnViewer FaultingPlugin >/dev/null

work=$LMMS_WORK
rm -rf "$work/run"
mkdir -p "$work/run"
cp "$WIN32_BUILD/plugin/QarnViewer.dll" "$WIN32_BUILD/tests/lmms/FaultingPlugin.dll" "$work/run/"

lmms_environment
trap xvfb_stop EXIT
xvfb_start

# render <plugin.dll> <name>: renders the project with that plug-in; the
# output lands in $work/run/<name>.log and <name>.wav.
render() {
  local project=$work/run/$2.mmp
  lmms_project "$work/run/$1" 0 "$project"
  timeout 180 lmms --allowroot render "$project" -o "$work/run/$2.wav" >"$work/run/$2.log" 2>&1 || true
}

# judge <name> <unique ID>: prints the verdict; answers 0 when the plug-in
# was loaded and nothing faulted.
judge() {
  local log=$work/run/$1.log fault
  if fault=$(lmms_fault "$log"); then
    echo "$1: $fault"; return 1
  fi
  if ! grep -q "unique ID: $2" "$log"; then
    echo "$1: the plug-in was not loaded (no 'unique ID: $2' in LMMS's output)"; return 1
  fi
  if [ ! -s "$work/run/$1.wav" ]; then
    echo "$1: LMMS rendered nothing"; return 1
  fi
  echo "$1: loaded, rendered, no fault"
}

render FaultingPlugin.dll control
if judge control FLTY; then
  echo "lmms-smoke: the control plug-in faulted unnoticed: the judging is broken" >&2
  cat "$work/run/control.log" >&2
  exit 1
fi

render QarnViewer.dll qarn
if ! judge qarn QARN; then
  cat "$work/run/qarn.log" >&2
  exit 1
fi
echo "lmms-smoke: passed"
