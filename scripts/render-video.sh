#!/usr/bin/env bash
# Renders a MIDI file to a video of the plug-in with the song's sound:
# FluidSynth plays the song with a General MIDI sound font into a WAV file,
# our host renders the picture in song time (--render) and ffmpeg joins
# both into one MP4, picture and sound starting together.
#   scripts/render-video.sh SONG.mid OUT.mp4 [host options...]
# Host options such as --fps 60, --from S, --to S, --program P or
# --script steps.txt pass through (see the README). Runs on a private Xvfb
# display unless DISPLAY is set. The Linux host and plug-in render natively;
# QARN_HOST=win32 or win64 renders with that Windows host and DLL under Wine
# instead; QARN_PLUGIN_FORMAT=clap renders the CLAP build instead of the
# VST 2 one, QARN_PLUGIN_FORMAT=vst3 the VST 3 bundle; QARN_HOST_BUILD names a build folder of that kind already built,
# used as it is (otherwise build/<kind> is built); QARN_SOUND_FONT another
# sound font.
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
source "$here/lib/hosts.sh"
build_host
sound_font=${QARN_SOUND_FONT:-/usr/share/sounds/sf2/FluidR3_GM.sf2}

mkdir -p "$(dirname "$video")"
work=$(mktemp -d)
cleanup() { rm -rf "$work"; if [ -n "${XVFB_PID:-}" ]; then stop_host_display; fi; }
trap cleanup EXIT
# -F renders as fast as it can, from the song's time zero: the WAV starts where the video does.
fluidsynth -n -i -q -r 44100 -g 0.6 -F "$work/sound.wav" "$sound_font" "$song" >/dev/null

if [ -z "${DISPLAY:-}" ]; then xvfb_start; fi
run_host "$(host_path "$song")" --render "$(host_path "$video")" --audio "$(host_path "$work/sound.wav")" "$@"
