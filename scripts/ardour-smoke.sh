#!/usr/bin/env bash
# Smoke test in a real Linux host: Debian's Ardour 7 loads the native plug-in
# (build/linux/plugin/QarnViewer.so) headless, with its "None (Dummy)" audio
# engine, and plays notes into it: ardour7-lua runs tests/ardour/play-notes.lua,
# which makes a session with one MIDI track, the note source
# tests/ardour/qarn_test_notes.lua (a Lua DSP processor) and then the
# plug-in, and rolls the transport for a few seconds. The plug-in's
# diagnostic log (QARN_LOG) tells what arrived: the run passes when Ardour
# ended cleanly and the log's one line names the host and counts note-ons.
#
# The LV2 bundle (build/linux/plugin/QarnViewer.lv2) plays the same session,
# found by its URI through LV2_PATH; LV2 tells a plug-in nothing of its host,
# so its log line names none. The VST 3 bundle
# (build/linux/plugin/QarnViewer.vst3) plays it too, scanned first by
# Ardour's own ardour-vst3-scanner and found through VST3_PATH; VST 3 tells a
# plug-in its host's name, not its maker.
#
# First, as a control, the same session runs with tests/lmms/FaultingPlugin,
# which faults on its first block of events: that run must be judged a
# failure, which shows both that the session plays notes into its plug-in
# and that the judging sees a plug-in that dies.
#
#   scripts/ardour-smoke.sh        exit 0 passed, 1 failed
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
"$here/setup.sh"
source "$here/lib/builds.sh"

build_preset linux --target QarnViewer QarnViewerLv2Bundle QarnViewerVst3 FaultingPlugin >/dev/null
linux_build=$(preset_build linux)
work=$ROOT/build/ardour
rm -rf "$work"
mkdir -p "$work"
# Ardour keeps its settings, scripts and plug-in cache under HOME: a private
# one, so that runs share nothing with each other or with the user.
export HOME=$work/home
mkdir -p "$HOME/.config/ardour7/scripts"
cp "$ROOT/tests/ardour/qarn_test_notes.lua" "$HOME/.config/ardour7/scripts/"
seconds=3

# Ardour ignores the plug-in scan cache of a HOME in which it has never made a
# session, so one is made and closed first.
printf 'create_session ("%s", "first", 48000)\nclose_session ()\n' "$work/first" >"$work/first.lua"
timeout 120 ardour7-lua "$work/first.lua" >"$work/first.out" 2>&1 || {
  cat "$work/first.out" >&2
  echo "ardour-smoke: ardour7-lua could not make a session" >&2
  exit 1
}

# session <name> <plug-in> <format> [VARIABLE=value...]: plays the session
# with the plug-in, the variables set; Ardour's output lands in
# $work/<name>.out, the diagnostic log in $work/<name>.log, and the exit
# status in $work/<name>.status.
session() {
  local name=$1 plugin=$2 format=$3 status=0
  shift 3
  env "$@" QARN_LOG="$work/$name.log" timeout 120 \
    ardour7-lua "$ROOT/tests/ardour/play-notes.lua" "$work/$name-session" "$plugin" "$seconds" "$format" \
    >"$work/$name.out" 2>&1 || status=$?
  echo "$status" >"$work/$name.status"
}

# play <name> <library.so> <plug-in name>: scans the VST 2 library alone in a
# folder of its own (LXVST_PATH) and plays the session with it.
play() {
  local name=$1 library=$2 plugin=$3 folder=$work/vst-$1
  mkdir -p "$folder"
  cp "$library" "$folder/"
  # Ardour compares the cache's time with the library's in whole seconds: a
  # library copied in the second the cache is written would count as newer,
  # and be left out as changed since its scan.
  touch -d '-1 min' "$folder/$(basename "$library")"
  LD_LIBRARY_PATH=/usr/lib/ardour7 /usr/lib/ardour7/ardour-vst-scanner -q -f "$folder/$(basename "$library")" \
    >"$work/$name.scan" 2>&1 || true
  session "$name" "$plugin" LXVST LXVST_PATH="$folder"
}

# judge <name> [host]: prints the verdict; answers 0 when Ardour ended
# cleanly, the session script finished and the plug-in's log line shows notes
# arriving; `host` is the pattern the line's host fields must match (by
# default any names).
judge() {
  local name=$1 host=${2:-'vendor="[^"]+" product="[^"]+"'} status line
  status=$(cat "$work/$name.status")
  if [ "$status" -ne 0 ]; then
    echo "$name: ardour7-lua ended with status $status$([ "$status" -gt 128 ] && echo " (signal $((status - 128)))")"
    return 1
  fi
  if ! grep -q '^play-notes: done' "$work/$name.out"; then
    echo "$name: the session did not run to its end"; return 1
  fi
  if [ ! -s "$work/$name.log" ] || [ "$(wc -l <"$work/$name.log")" -ne 1 ]; then
    echo "$name: the plug-in's log should hold one line, it holds $(cat "$work/$name.log" 2>/dev/null | wc -l)"
    return 1
  fi
  line=$(cat "$work/$name.log")
  if ! grep -qE "^$host"' rate=48000 block=[0-9]+ events=[1-9][0-9]* note-ons=[1-9][0-9]* most-held=3$' <<<"$line"; then
    echo "$name: the plug-in did not see the notes: $line"; return 1
  fi
  echo "$name: $line"
}

# The control must have been put on the track, then died of a signal (not
# of the timeout), and the judging must see that.
play control "$linux_build/tests/lmms/FaultingPlugin.so" FaultingPlugin
control_status=$(cat "$work/control.status")
if ! grep -q "^play-notes: 'FaultingPlugin' on the track" "$work/control.out" || [ "$control_status" -le 128 ] ||
  judge control >/dev/null; then
  echo "ardour-smoke: the control plug-in did not fault as it should (status $control_status), or the judging missed it" >&2
  cat "$work/control.scan" "$work/control.out" >&2
  exit 1
fi
echo "control: judged a failure, as it should be: $(judge control)"

play qarn "$linux_build/plugin/QarnViewer.so" "Qarn Viewer"
if ! judge qarn; then
  cat "$work/qarn.scan" "$work/qarn.out" >&2
  exit 1
fi

# The bundle is copied alone into a folder of its own, which LV2_PATH names.
mkdir -p "$work/lv2"
cp -r "$linux_build/plugin/QarnViewer.lv2" "$work/lv2/"
session qarn-lv2 https://qarn.example/plugins/viewer LV2 LV2_PATH="$work/lv2"
if ! judge qarn-lv2 'vendor="" product=""'; then
  cat "$work/qarn-lv2.out" >&2
  exit 1
fi
# The VST 3 bundle likewise, in a folder VST3_PATH names, with the scan
# Ardour would run on it.
mkdir -p "$work/vst3"
cp -r "$linux_build/plugin/QarnViewer.vst3" "$work/vst3/"
touch -d '-1 min' "$work/vst3/QarnViewer.vst3/Contents/x86_64-linux/QarnViewer.so"
LD_LIBRARY_PATH=/usr/lib/ardour7 /usr/lib/ardour7/ardour-vst3-scanner -v -f "$work/vst3/QarnViewer.vst3" \
  >"$work/qarn-vst3.scan" 2>&1 || true
session qarn-vst3 "Qarn Viewer" VST3 VST3_PATH="$work/vst3"
if ! judge qarn-vst3 'vendor="" product="Ardour"'; then
  cat "$work/qarn-vst3.scan" "$work/qarn-vst3.out" >&2
  exit 1
fi
echo "ardour-smoke: passed"
