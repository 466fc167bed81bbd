#!/usr/bin/env bash
# The main command: installs what is missing, builds the plug-in and our host,
# and plays the demo song into the plug-in in practice mode, with held keys
# highlighted and depressed. Leaves screenshots (PNG), an animation (GIF) and
# a video with sound (MP4) in an output folder and prints the practice percentage reached.
#   scripts/demo.sh [output folder]          (default: build/demo)
# Runs in a real window when DISPLAY is set, otherwise on a private Xvfb display.
# The Linux host and plug-in run natively; QARN_HOST=win32 or win64 plays
# into that Windows plug-in with that Windows host under Wine instead;
# QARN_PLUGIN_FORMAT=clap plays into the CLAP build instead of the VST 2 one,
# QARN_PLUGIN_FORMAT=vst3 into the VST 3 bundle.
set -euo pipefail
started=$(date +%s)
here=$(cd "$(dirname "$0")" && pwd)
"$here/setup.sh"
source "$here/lib/builds.sh"
source "$here/lib/xvfb.sh"
source "$here/lib/winpath.sh"
source "$here/lib/hosts.sh"

build_host
song=$ROOT/host/demo/demo-song.mid

out=${1:-$ROOT/build/demo}
mkdir -p "$out"
out=$(cd "$out" && pwd)
rm -f "$out"/frame-*.png "$out"/ready.png "$out"/end.png "$out"/demo.gif

if [ -z "${DISPLAY:-}" ]; then
  trap stop_host_display EXIT
  xvfb_start
fi

# The steps: switch practice mode, highlighting and depressing on through the
# panel, play the song, and capture the window four times a second.
frames=64
{
  echo "# Written by scripts/demo.sh"
  echo "open"
  echo "program 3"
  echo "press practice"
  echo "press highlight"
  echo "press depress"
  echo "idle 2"
  echo "capture ready.png"
  echo "play"
  for i in $(seq -f '%03g' 0 $((frames - 1))); do
    echo "wait 250"
    echo "capture frame-$i.png"
  done
  echo "wait-song"
  echo "idle 2"
  echo "capture end.png"
  echo "print practice-percentage"
} > "$out/demo-steps.txt"

echo "demo: playing $(basename "$song") into the plug-in (about 20 seconds)"
status=0
(cd "$out" && run_host "$(host_path "$song")" --script demo-steps.txt) > "$out/host-output.txt" 2>&1 || status=$?
grep -v '^practice-percentage:' "$out/host-output.txt" | sed 's/^/host: /' || true
if [ $status -ne 0 ]; then
  echo "demo: the host failed (exit status $status); its output is in $out/host-output.txt" >&2
  exit $status
fi

convert -delay 25 -loop 0 "$out"/frame-*.png -layers Optimize "$out/demo.gif"

# The same song rendered in song time at 30 frames per second, with its sound.
echo "demo: rendering demo.mp4 with sound"
QARN_HOST=$HOST_KIND QARN_HOST_BUILD=$HOST_BUILD "$ROOT/scripts/render-video.sh" "$song" "$out/demo.mp4" --program 3 \
  | sed 's/^/host: /'

percentage=$(sed -n 's/^practice-percentage: //p' "$out/host-output.txt" | tr -d '\r')
echo
echo "Screenshots: $out/ready.png, $out/frame-000.png .. frame-$(printf '%03d' $((frames - 1))).png, $out/end.png"
echo "Animation:   $out/demo.gif"
echo "Video:       $out/demo.mp4 (with sound)"
if [ -z "$percentage" ] || [ "$percentage" = "n/a" ]; then
  echo "Practice percentage: not available (the panel's practice button could not be pressed:" \
       "the plug-in showed no editor)"
else
  echo "Practice percentage reached: $percentage %"
fi
echo "Took $(( $(date +%s) - started )) s."
