#!/usr/bin/env bash
# Measures the plug-in and prints one report: MIDI intake (ns per event and
# heap allocations per block, practice off and on), the 3-D view's frame time
# per program off-screen at 600 x 400, the cost of an editor idle with nothing
# to redraw (which must draw nothing), and for the 32-bit and the 64-bit
# build side by side: the DLL's size and imported DLLs, the editor's open
# time under Wine and the host's peak memory with the plug-in.
# Figures only: nothing here passes or fails on a number.
#
#   scripts/bench-report.sh
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
"$here/setup.sh"
source "$here/lib/builds.sh"
source "$here/lib/xvfb.sh"
bench_build=$(preset_build bench)
out=$bench_build/report
mkdir -p "$out"

echo "building..." >&2
build_preset bench --target midi_intake_bench view3d_bench >/dev/null
for target in "${WINDOWS_TARGETS[@]}"; do
  build_preset "$target" --target QarnViewer QarnHost editor_figures >/dev/null
done

echo "measuring (about three minutes)..." >&2
"$bench_build/benchmarks/midi_intake_bench" --benchmark_format=json >"$out/midi_intake.json" 2>/dev/null
"$bench_build/benchmarks/view3d_bench" --benchmark_format=json >"$out/view3d.json" 2>/dev/null

trap 'xvfb_stop_with_wine "$WIN32_BUILD/wineprefix" "$WIN64_BUILD/wineprefix"' EXIT
xvfb_start

# The host's peak resident memory: once with the plug-in loaded and its editor
# never opened, once with the editor open while the demo song plays.
song=Z:$ROOT/host/demo/demo-song.mid
printf 'wait 3000\n' >"$out/loaded.txt"
printf 'open\nplay\nwait 3000\nclose\n' >"$out/open.txt"
for target in "${WINDOWS_TARGETS[@]}"; do
  build=$(preset_build "$target")
  wine_run() { "$here/wine-run.sh" --prefix "$build/wineprefix" --arch "$target" "$@"; }
  (cd "$build/benchmarks/win32" && wine_run ./editor_figures.exe QarnViewer.dll) >"$out/editor-$target.txt" 2>/dev/null
  peak_kib() {
    /usr/bin/time -f '%M' -o "$out/time.txt" "$here/wine-run.sh" --prefix "$build/wineprefix" --arch "$target" \
      "$build/host/win32/QarnHost.exe" "Z:$build/plugin/QarnViewer.dll" "$song" --script "Z:$out/$1" >/dev/null 2>&1
    tail -1 "$out/time.txt"
  }
  peak_kib loaded.txt >"$out/host-loaded-$target.txt"
  peak_kib open.txt >"$out/host-open-$target.txt"
  dll_file=$build/plugin/QarnViewer.dll
  stat -c %s "$dll_file" >"$out/dll-size-$target.txt"
  objdump=$(sed -n 's/^CMAKE_OBJDUMP:FILEPATH=//p' "$build/CMakeCache.txt")
  "$objdump" -p "$dll_file" | sed -n 's/^\s*DLL Name: //p' | sort -f | paste -sd ' ' >"$out/dll-imports-$target.txt"
done

python3 - "$out" "${WINDOWS_TARGETS[@]}" <<'PY'
import json, re, sys
out, targets = sys.argv[1], sys.argv[2:]

def figure(name, target):
    return open(f"{out}/{name}-{target}.txt").read().strip()

def bench(name):
    return json.load(open(f"{out}/{name}.json"))["benchmarks"]

cpu = next((l.split(":", 1)[1].strip() for l in open("/proc/cpuinfo") if l.startswith("model name")), "?")
import os
print(f"Machine: {os.cpu_count()} cores, {cpu}")
print()
print("MIDI intake (effProcessEvents through the dispatcher, mixed note blocks):")
print("  events/block  practice  ns/event  allocations/block")
for b in bench("midi_intake"):
    m = re.match(r"processEvents/events:(\d+)/practice:(\d)", b["name"])
    if m:
        print(f"  {m[1]:>12}  {'on' if m[2] == '1' else 'off':>8}  {b['ns_per_event'] * 1e9:8.2f}  {b['allocs_per_block']:17.0f}")
print()
print("3-D view frame off-screen at 600 x 400 (llvmpipe, median):")
view = bench("view3d")
for b in view:
    if b["name"].startswith("frame/"):
        print(f"  program {b['name'].split('/')[1]}  {b.get('label', ''):<16} {b['median_ms']:6.2f} ms")
for b in view:
    if b["name"].startswith("idleWithNothingToDraw"):
        unit = b["time_unit"]
        print(f"  idle pump with nothing to redraw: {b['real_time']:.2f} {unit}, frames drawn {b['frames_drawn']:.0f}")
for target in targets:
    print()
    print(f"Editor under Wine, {target} (the shipped DLL, counted through its imports):")
    for line in open(f"{out}/editor-{target}.txt"):
        print("  " + line.rstrip())
print()
for target in targets:
    size = int(figure("dll-size", target))
    print(f"DLL {target}: {size} bytes ({size / 1024:.0f} KiB), imports: {figure('dll-imports', target)}")
for target in targets:
    loaded, playing = int(figure("host-loaded", target)), int(figure("host-open", target))
    print(f"QarnHost {target} peak resident memory under Wine: {loaded / 1024:.1f} MiB with the plug-in loaded, "
          f"{playing / 1024:.1f} MiB with its editor open and the demo song playing")
PY
