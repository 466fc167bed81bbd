#!/usr/bin/env bash
# A host none of us wrote loads the CLAP build and shows its editor: Debian's
# Qtractor opens a session (session.qtr.in) with QarnViewer.clap on a MIDI
# track, on a private Xvfb display and beside a JACK server of the run's own:
#   with-jack.sh qtractor-check.sh <QarnViewer.clap> <work folder>
# Passes when
#   - Qtractor loads the session and the plug-in's entry shows on the track;
#   - a double click on that entry opens the editor in a window of Qtractor's,
#     and a capture of the screen (<work>/qtractor-clap.png) shows the panel's
#     read-out in it, the 3-D view's background beside it and the default
#     instrument in the view (the session names none);
#   - Qtractor ends by itself on SIGTERM (its own clean quit, as under a
#     session manager) with status 0, and the plug-in's diagnostic log then
#     holds the lines instances write when the host destroys them, all naming
#     Qtractor's maker, one of them activated at the JACK server's rate;
#   - no process Qtractor started is left.
# Qtractor's MIDI engine needs the kernel's ALSA sequencer (/dev/snd/seq).
# Where there is none (containers, kernels built without sound), Qtractor says
# so in a dialog and goes on with JACK alone; the check dismisses the dialog
# and says so. Plug-ins, their editors and sessions work without it.
set -euo pipefail
plugin=$1
work=$2
here=$(cd "$(dirname "$0")" && pwd)
root=$(cd "$here/../.." && pwd)
source "$root/scripts/lib/xvfb.sh"

# Bounds against hangs, not measures of speed.
appear_limit=60 # seconds from the start for Qtractor, its session and the editor to show
quit_limit=30 # seconds for Qtractor to end after SIGTERM
# Where Qtractor draws the first track's plug-in list, from its main window's
# corner, in the layout of a first start: the Bus column of track 1.
plugin_entry_x=183 plugin_entry_y=179
editor_title='^Qarn Viewer - Track 1( .*)?$'
rate=44100 # the JACK server's, as with-jack.sh starts it

rm -rf "$work/home" "$work/session" "$work/clap" "$work/qarn.log" "$work"/qtractor-*.png
mkdir -p "$work/home" "$work/session" "$work/clap"
# Qtractor keeps its settings and plug-in scan cache under HOME.
export HOME=$work/home
cp "$plugin" "$work/clap/QarnViewer.clap"
export CLAP_PATH=$work/clap
session=$work/session/qarn-clap.qtr
sed -e "s|@DIRECTORY@|$work/session|" -e "s|@PLUGIN@|$work/clap/QarnViewer.clap|" "$here/session.qtr.in" >"$session"

qtractor_pid=
stop_all() {
  # Qtractor runs in a process group of its own: whatever is left of it.
  if [ -n "$qtractor_pid" ] && pgrep -g "$qtractor_pid" >/dev/null; then kill -KILL -- "-$qtractor_pid" 2>/dev/null || true; fi
  xvfb_stop
}
trap stop_all EXIT
xvfb_start

fail() {
  echo "qtractor-check: $*" >&2
  import -window root "$work/qtractor-failed.png" 2>/dev/null && echo "qtractor-check: the screen: $work/qtractor-failed.png" >&2
  echo "--- Qtractor's output:" >&2
  tail -20 "$work/qtractor.out" >&2 || true
  exit 1
}

# window <title pattern>: the first window whose title matches, if any.
# Qt gives xdotool a window's title without the " — Qtractor" that
# _NET_WM_NAME ends with: patterns allow both.
window() { xdotool search --name "$1" 2>/dev/null | head -1 || true; }

QARN_LOG=$work/qarn.log setsid qtractor "$session" >"$work/qtractor.out" 2>&1 &
qtractor_pid=$!

# Qtractor warns of a session it could not load whole (a plug-in not found)
# in a dialog that waits for an answer: nothing more would come.
deadline=$((SECONDS + appear_limit))
main=
while [ $SECONDS -lt $deadline ]; do
  kill -0 "$qtractor_pid" 2>/dev/null || fail "Qtractor ended before its session was open"
  [ -n "$(window '^Warning( .*)?$')" ] && fail "Qtractor warned while opening the session (see the screen)"
  error=$(window '^Error( .*)?$')
  if [ -n "$error" ]; then
    if [ -e /dev/snd/seq ]; then
      echo "qtractor-check: Qtractor could not start its engine (see $work/qtractor.out); its error dismissed"
    else
      echo "qtractor-check: no ALSA sequencer here (/dev/snd/seq): Qtractor's MIDI engine cannot start; its error dismissed"
    fi
    xdotool windowfocus --sync "$error" key Return 2>/dev/null || true
  fi
  main=$(window "^$session( .*)?\$")
  [ -n "$main" ] && break
  sleep 0.2
done
[ -n "$main" ] || fail "Qtractor did not open $session within $appear_limit s"
echo "qtractor-check: Qtractor opened the session"

# The entry appears once the plug-in is on the track; a double click opens
# the editor. Asked again while no editor shows, as the list may still be
# building.
editor=
while [ $SECONDS -lt $deadline ]; do
  kill -0 "$qtractor_pid" 2>/dev/null || fail "Qtractor ended while opening the editor"
  xdotool mousemove --window "$main" "$plugin_entry_x" "$plugin_entry_y" click --repeat 2 --delay 80 1
  for _ in $(seq 5); do
    editor=$(window "$editor_title")
    [ -n "$editor" ] && break 2
    sleep 0.1
  done
done
[ -n "$editor" ] || fail "no editor window within $appear_limit s of the start"
eval "$(xdotool getwindowgeometry --shell "$editor")" # X Y WIDTH HEIGHT

shown=no
while [ $SECONDS -lt $deadline ]; do
  kill -0 "$qtractor_pid" 2>/dev/null || fail "Qtractor ended while showing the editor"
  import -window root "$work/qtractor-clap.png"
  if seen=$(python3 "$root/tests/screen/editor-on-screen.py" "$work/qtractor-clap.png" "$X" "$Y" "$WIDTH" "$HEIGHT" \
    --default-piano); then
    shown=yes
    break
  fi
  sleep 0.5
done
[ $shown = yes ] || fail "the editor did not show in Qtractor's window within $appear_limit s of the start: ${seen:-no capture}"
echo "qtractor-check: the editor shows in Qtractor's window at $X,$Y ${WIDTH}x$HEIGHT: $seen ($work/qtractor-clap.png)"

kill -TERM "$qtractor_pid"
deadline=$((SECONDS + quit_limit))
while [ $SECONDS -lt $deadline ]; do
  kill -0 "$qtractor_pid" 2>/dev/null || break
  sleep 0.2
done
kill -0 "$qtractor_pid" 2>/dev/null && fail "Qtractor did not end within $quit_limit s of SIGTERM"
status=0
wait "$qtractor_pid" || status=$?
[ "$status" -eq 0 ] || fail "Qtractor ended with status $status"
if pgrep -g "$qtractor_pid" >/dev/null; then
  fail "processes of Qtractor's are left: $(pgrep -g "$qtractor_pid" -l | tr '\n' ' ')"
fi

# One line per instance, written as Qtractor destroys it. Qtractor makes one
# it never activates (rate 0) besides the one on the track, which it
# activates at the JACK server's rate.
[ -s "$work/qarn.log" ] || fail "the plug-in's log is empty: no instance was destroyed"
host_line="^vendor=\"rncbc.org\" product=\"[^\"]+\" rate=(0|$rate) block=[0-9]+ events=[0-9]+ note-ons=[0-9]+ most-held=[0-9]+\$"
grep -vqE "$host_line" "$work/qarn.log" && fail "the plug-in's log holds lines not from Qtractor: $(grep -vE "$host_line" "$work/qarn.log")"
[ "$(grep -cE " rate=$rate " "$work/qarn.log")" -eq 1 ] ||
  fail "the plug-in's log should hold one instance active at $rate Hz: $(cat "$work/qarn.log")"
echo "qtractor-check: Qtractor ended cleanly; the plug-in's log:"
sed 's/^/  /' "$work/qarn.log"
