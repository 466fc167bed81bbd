#!/usr/bin/env bash
# The host's render, checked by probing what it wrote: the Linux host
# natively, or the Windows host under Wine (QARN_HOST_PLATFORM=windows).
#   render-check.sh <host command...>     (the command up to and with the plug-in's path)
# QARN_HOST_BUILD names the build folder that holds the host and plug-in.
# A song of two notes: C4 from 0.75 s to 1.25 s, E4 to 1.75 s, its end at 2 s.
# At 30 fps frame 22 shows 0.733 s and frame 23 0.767 s: C4 is first lit in frame 23.
set -uo pipefail
here=$(cd "$(dirname "$0")" && pwd)
source "$here/../../scripts/lib/winpath.sh"
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
fail=0
check() { if ! eval "$2"; then echo "render-check: FAILED: $1"; fail=1; else echo "render-check: ok: $1"; fi; }

printf 'MThd\x00\x00\x00\x06\x00\x00\x00\x01\x01\xe0MTrk\x00\x00\x00\x1f\x00\xff\x51\x03\x07\xa1\x20\x85\x50\x90\x3c\x64\x83\x60\x80\x3c\x40\x00\x90\x40\x64\x83\x60\x80\x40\x40\x81\x70\xff\x2f\x00' >"$work/two.mid"
platform=${QARN_HOST_PLATFORM:-linux}
# Paths as the host sees them.
host_path() { if [ "$platform" = windows ]; then windows_path "$1"; else printf '%s\n' "$1"; fi; }
song=$(host_path "$work/two.mid")

# The first frame that differs from frame 0 by more than `$2` pixels (10% fuzz).
first_changed() {
  local i=0 frames=("$1"/*.png)
  for f in "${frames[@]}"; do
    local n
    n=$(compare -metric AE -fuzz 10% "${frames[0]}" "$f" null: 2>&1 | cut -d' ' -f1)
    if [ "${n%.*}" -gt "$2" ]; then echo $i; return; fi
    i=$((i + 1))
  done
  echo none
}

# PNG frames: the count, the first lit frame exactly, and the same bytes twice.
"$@" "$song" --render "$(host_path "$work/a")" --fps 30 || fail=1
"$@" "$song" --render "$(host_path "$work/b")" --fps 30 || fail=1
check "60 PNG frames" '[ "$(ls "$work/a" | wc -l)" -eq 60 ]'
check "the same frames byte for byte" 'diff -r "$work/a" "$work/b" >/dev/null'
check "C4 first lit in frame 23" '[ "$(first_changed "$work/a" 0)" = 23 ]'
# A spinning model redraws at every idle: its frames too, the same twice.
printf 'open\npress spin\n' >"$work/spin.txt"
for take in spin-a spin-b; do
  "$@" "$song" --script "$(host_path "$work/spin.txt")" --render "$(host_path "$work/$take")" --to 1 || fail=1
done
check "a spinning model: 30 frames, the same byte for byte" \
  '[ "$(ls "$work/spin-a" | wc -l)" -eq 30 ] && diff -r "$work/spin-a" "$work/spin-b" >/dev/null'
"$@" "$song" --render "$(host_path "$work/part")" --fps 10 --from 1 --to 1.5 || fail=1
check "--from 1 --to 1.5 at 10 fps: 5 frames" '[ "$(ls "$work/part" | wc -l)" -eq 5 ]'

# MP4 with the song's sound (scripts/render-video.sh): duration, frames, both
# streams, and picture and sound starting within a frame of the note.
QARN_HOST=$([ "$platform" = windows ] && echo "${QARN_TARGET:?the Windows target}" || echo linux) \
QARN_HOST_BUILD=${QARN_HOST_BUILD:?the build folder} \
  "$here/../../scripts/render-video.sh" "$work/two.mid" "$work/two.mp4" || fail=1
probe() { ffprobe -v error -select_streams "$1" -count_frames -show_entries "stream=$2" -of csv=p=0 "$work/two.mp4"; }
check "an H.264 video stream of 60 frames" '[ "$(probe v codec_name,nb_read_frames)" = "h264,60" ]'
check "an AAC sound stream" '[ "$(probe a codec_name)" = aac ]'
check "2 s long" '[ "$(ffprobe -v error -show_entries format=duration -of csv=p=0 "$work/two.mp4" | cut -c1-4)" = 2.00 ]'
mkdir "$work/decoded"
ffmpeg -v error -i "$work/two.mp4" "$work/decoded/%04d.png"
lit=$(first_changed "$work/decoded" 400)
onset=$(ffmpeg -nostats -hide_banner -i "$work/two.mp4" -map 0:a -af silencedetect=noise=-50dB:d=0.05 -f null - 2>&1 |
  sed -n 's/.*silence_end: \([0-9.]*\).*/\1/p' | head -1)
echo "render-check: first lit frame $lit, sound from ${onset:-?} s, first note at 0.75 s"
check "the first lit frame within a frame of the note" \
  'awk -v f="$lit" "BEGIN { d = f / 30 - 0.75; exit !(f != \"none\" && d <= 1/30 && d >= -1/30) }"'
check "the sound within a frame of the note" \
  'awk -v t="${onset:-99}" "BEGIN { d = t - 0.75; exit !(d <= 1/30 && d >= -1/30) }"'

# Without ffmpeg on the PATH the host says so. The PATH keeps only what Wine needs.
mkdir "$work/tools"
if [ "$platform" = windows ]; then
  for tool in bash wine wineboot wineserver flock dirname mkdir; do ln -s "$(command -v "$tool")" "$work/tools/$tool"; done
fi
output=$(PATH=$work/tools "$@" "$song" --render "$(host_path "$work/none.mp4")" 2>&1)
status=$?
check "no ffmpeg: exit status 2 and a clear message" \
  '[ $status -eq 2 ] && grep -q "ffmpeg was not found" <<<"$output"'
exit $fail
