#!/usr/bin/env bash
# Renders a MIDI file to a video of the plug-in with the song's sound:
# FluidSynth plays the song with a General MIDI sound font into a WAV file,
# our host renders the picture in song time (--render) and ffmpeg joins
# both into one MP4, picture and sound starting together.
#   scripts/render-video.sh SONG.mid OUT.mp4 [host options...]
# Host options such as --fps 60, --from S, --to S, --program P or
# --script steps.txt pass through (see the README). Runs on a private Xvfb
# display unless DISPLAY is set. QARN_TARGET=win64 renders with the 64-bit
# plug-in and host (default: win32, or win64 where
# 32-bit programs cannot run); QARN_WINDOWS_BUILD names a build folder
# of that target already built, used as it is (otherwise build/<target> is
# built); QARN_SOUND_FONT another sound font.
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
if [ $# -lt 2 ]; then
  echo "usage: $0 SONG.mid OUT.mp4 [host options...]" >&2
  exit 2
fi
song=$1
video=$2
shift 2
[ -f "$song" ] || { echo "render-video: $song: no such song" >&2; exit 2; }

"$here/setup.sh"
source "$here/lib/builds.sh"
source "$here/lib/xvfb.sh"
source "$here/lib/winpath.sh"
target=${QARN_TARGET:-$(default_windows_target)}
if [ -n "${QARN_WINDOWS_BUILD:-}" ]; then
  WINDOWS_BUILD=$QARN_WINDOWS_BUILD
else
  build_preset "$target" --target QarnViewer QarnHost >/dev/null
  WINDOWS_BUILD=$(preset_build "$target")
fi
sound_font=${QARN_SOUND_FONT:-/usr/share/sounds/sf2/FluidR3_GM.sf2}

mkdir -p "$(dirname "$video")"
work=$(mktemp -d)
cleanup() { rm -rf "$work"; if [ -n "${XVFB_PID:-}" ]; then xvfb_stop; fi; }
trap cleanup EXIT
# -F renders as fast as it can, from the song's time zero: the WAV starts where the video does.
fluidsynth -n -i -q -r 44100 -g 0.6 -F "$work/sound.wav" "$sound_font" "$song" >/dev/null

export WINEPREFIX=$WINDOWS_BUILD/wineprefix
if [ -z "${DISPLAY:-}" ]; then xvfb_start; fi
"$here/wine-run.sh" --prefix "$WINEPREFIX" --arch "$target" "$WINDOWS_BUILD/host/win32/QarnHost.exe" \
  "$(windows_path "$WINDOWS_BUILD/plugin/QarnViewer.dll")" "$(windows_path "$song")" \
  --render "$(windows_path "$video")" --audio "$(windows_path "$work/sound.wav")" "$@"
