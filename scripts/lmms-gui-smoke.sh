#!/usr/bin/env bash
# Smoke test of the editor as a guest in LMMS's own window: Debian's i386 LMMS
# GUI on a private Xvfb display opens tests/lmms/project.mmp.in with the
# plug-in's editor shown (embedded in an LMMS sub-window, LMMS's default).
# Judged by what the X screen shows and by how LMMS ends:
#   - a capture of the root window shows the panel's score read-out inside
#     LMMS's main window, and beside it the 3-D view's dark blue background;
#   - the song plays for a few seconds (space typed into LMMS's main window)
#     and the view is still there;
#   - ctrl+q typed into LMMS's main window ends LMMS by itself (bounded wait);
#   - neither LMMS nor Wine reports a fault.
#
#   scripts/lmms-gui-smoke.sh        exit 0 passed, 1 failed
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
"$here/setup.sh"
source "$here/lib/builds.sh"
source "$here/lib/lmms.sh"

# Bounds against hangs, not measures of speed.
appear_limit=180 # seconds for LMMS and the plug-in's editor to show
quit_limit=60 # seconds for LMMS to end after ctrl+q
play_seconds=4

lmms_runnable || exit 1
build_win32 --target QarnViewer >/dev/null
work=$LMMS_WORK/gui
rm -rf "$work"
mkdir -p "$work"
cp "$WIN32_BUILD/plugin/QarnViewer.dll" "$work/"
lmms_project "$work/QarnViewer.dll" 1 "$work/project.mmp"
lmms_environment
# LMMS's settings: configured (no first-run questions), no sound card, the
# editor embedded in an LMMS sub-window.
cat >"$HOME/.lmmsrc.xml" <<XML
<?xml version="1.0"?>
<!DOCTYPE lmmsrc>
<lmms version="1.2.2">
  <app configured="1" nomsgaftersetup="1" openlastproject="0" disablebackup="1" language="en"/>
  <mixer audiodev="Dummy (no sound output)" mididev="Dummy MIDI driver"/>
  <paths workingdir="$HOME/lmms/"/>
  <ui vstembedmethod="qt" enableautosave="0" oneinstrumenttrackwindow="0"/>
</lmms>
XML
mkdir -p "$HOME/lmms"

lmms_pid=
stop_all() {
  if [ -n "$lmms_pid" ] && kill -0 "$lmms_pid" 2>/dev/null; then kill "$lmms_pid" 2>/dev/null || true; fi
  xvfb_stop
}
trap stop_all EXIT
xvfb_start

fail() {
  echo "lmms-gui-smoke: $*" >&2
  echo "--- LMMS's output:" >&2
  tail -40 "$work/lmms.log" >&2 || true
  exit 1
}

# editor_on_screen <capture.png> <x> <y> <w> <h>: answers 0 when the capture
# shows the read-out inside the rectangle (LMMS's main window) with the view's
# background beside it; prints what it found.
editor_on_screen() {
  python3 "$ROOT/tests/screen/editor-on-screen.py" "$@"
}

lmms --allowroot "$work/project.mmp" >"$work/lmms.log" 2>&1 &
lmms_pid=$!

main=
for _ in $(seq $((appear_limit * 2))); do
  kill -0 "$lmms_pid" 2>/dev/null || fail "LMMS ended before its window appeared"
  main=$(xdotool search --onlyvisible --name 'LMMS' 2>/dev/null | head -1 || true)
  [ -n "$main" ] && break
  sleep 0.5
done
[ -n "$main" ] || fail "LMMS's main window did not appear within $appear_limit s"
eval "$(xdotool getwindowgeometry --shell "$main")" # X Y WIDTH HEIGHT

shown=no
for _ in $(seq $((appear_limit * 2))); do
  kill -0 "$lmms_pid" 2>/dev/null || fail "LMMS ended while the project was opening"
  import -window root "$work/opened.png"
  if seen=$(editor_on_screen "$work/opened.png" "$X" "$Y" "$WIDTH" "$HEIGHT"); then shown=yes; break; fi
  sleep 0.5
done
[ $shown = yes ] || fail "the editor never showed inside LMMS's window: $seen (see $work/opened.png)"
echo "lmms-gui-smoke: opened: $seen"

# Keys go in as a person types them: through the X server's input (XTest) to
# the window that has the focus, LMMS's main window. Sent to a window directly
# (XSendEvent), Qt drops them as synthetic. The X server hands a key to the
# window under the pointer when that lies inside the focus window, so the
# pointer rests on an empty part of LMMS's workspace, away from the editor.
# Were the plug-in to take the focus, the keys would reach it instead and
# LMMS would not quit.
xdotool windowfocus --sync "$main" 2>/dev/null || xdotool windowfocus "$main"
xdotool mousemove $((X + 300)) $((Y + 100))
xdotool key space
sleep "$play_seconds"
import -window root "$work/playing.png"
seen=$(editor_on_screen "$work/playing.png" "$X" "$Y" "$WIDTH" "$HEIGHT") ||
  fail "while playing: $seen (see $work/playing.png)"
echo "lmms-gui-smoke: playing: $seen"

xdotool key ctrl+q
for _ in $(seq $((quit_limit * 2))); do
  kill -0 "$lmms_pid" 2>/dev/null || break
  sleep 0.5
done
if kill -0 "$lmms_pid" 2>/dev/null; then
  import -window root "$work/not-quit.png"
  fail "LMMS did not end within $quit_limit s of ctrl+q (see $work/not-quit.png)"
fi
wait "$lmms_pid" || true
lmms_pid=
if fault=$(lmms_fault "$work/lmms.log"); then
  fail "the plug-in $fault"
fi
echo "lmms-gui-smoke: passed"
