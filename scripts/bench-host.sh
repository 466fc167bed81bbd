#!/usr/bin/env bash
# Our host natively against under Wine, side by side in one run:
#   - render speed: the demo song rendered at 30 fps to an MP4 with sound,
#     as video seconds per wall second (the host's own "times real time");
#   - note-to-screen latency of the native host (QarnHost --latency) at
#     editor idle rates of 15, 30 and 60 Hz;
#   - the time scripts/demo.sh takes from a warm build.
#   scripts/bench-host.sh [rounds]      (default 3; medians are printed)
# The Windows side is the 64-bit host and DLL under wine64.
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
"$here/setup.sh"
source "$here/lib/builds.sh"
source "$here/lib/xvfb.sh"
rounds=${1:-3}
song=$ROOT/host/demo/demo-song.mid
build_preset linux --target QarnViewer QarnHost >/dev/null
build_preset win64 --target QarnViewer QarnHost >/dev/null
out=$(mktemp -d)
trap 'rm -rf "$out"' EXIT

median() { sort -g | awk '{ v[NR] = $1 } END { print (NR % 2) ? v[(NR + 1) / 2] : (v[NR / 2] + v[NR / 2 + 1]) / 2 }'; }

for round in $(seq "$rounds"); do
  for kind in linux win64; do
    QARN_HOST=$kind "$here/render-video.sh" "$song" "$out/$kind.mp4" --program 3 |
      sed -n 's/.* \([0-9.]*\) times real time.*/\1/p' >>"$out/$kind-render.txt"
    start=$(date +%s.%N)
    QARN_HOST=$kind "$here/demo.sh" "$out/demo-$kind" >/dev/null
    awk -v s="$start" -v e="$(date +%s.%N)" 'BEGIN { print e - s }' >>"$out/$kind-demo.txt"
  done
done
xvfb_start
"$(preset_build linux)/host/QarnHost" "$(preset_build linux)/plugin/QarnViewer.so" --latency >"$out/latency.txt"
xvfb_stop

size=$(ffprobe -v error -select_streams v -show_entries stream=width,height -of csv=s=x:p=0 "$out/linux.mp4")
linux_render=$(median <"$out/linux-render.txt")
wine_render=$(median <"$out/win64-render.txt")
linux_demo=$(median <"$out/linux-demo.txt")
wine_demo=$(median <"$out/win64-demo.txt")
echo "render at 30 fps, $size, video seconds per wall second (median of $rounds):"
printf '  native %.2f, under Wine %.2f: native/Wine %.2f\n' "$linux_render" "$wine_render" \
  "$(awk -v a="$linux_render" -v b="$wine_render" 'BEGIN { print a / b }')"
echo "scripts/demo.sh from a warm build, seconds (median of $rounds):"
printf '  native %.1f, under Wine %.1f: native/Wine %.2f\n' "$linux_demo" "$wine_demo" \
  "$(awk -v a="$linux_demo" -v b="$wine_demo" 'BEGIN { print a / b }')"
echo "note to screen in the native host:"
sed 's/^/  /' "$out/latency.txt"
