#!/usr/bin/env bash
# Measures the plug-in and prints one report: MIDI intake (ns per event and
# heap allocations per block, practice off and on), the 3-D view's frame time
# per program off-screen at 600 x 400, the cost of an editor idle with nothing
# to redraw (which must draw nothing), the DLL's size and imported DLLs, the
# editor's open time under Wine and the host's peak memory with the plug-in.
# Figures only: nothing here passes or fails on a number.
#
#   scripts/bench-report.sh
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
"$here/setup.sh"
source "$here/lib/builds.sh"
source "$here/lib/xvfb.sh"
WINDOWS_BUILD=${QARN_WINDOWS_BUILD:-$WINDOWS_BUILD}
bench_build=${QARN_BENCH_BUILD:-$ROOT/build/bench}
out=$bench_build/report
mkdir -p "$out"

echo "building..." >&2
cmake -S "$ROOT" -B "$bench_build" -G Ninja -DCMAKE_BUILD_TYPE=Release \
  -DQARN_SANITIZE=OFF -DQARN_TESTS=OFF -DQARN_BENCHMARKS=ON >/dev/null
cmake --build "$bench_build" -j"$(nproc)" --target midi_intake_bench view3d_bench >/dev/null
build_windows --target QarnViewer QarnHost editor_figures >/dev/null

echo "measuring (about two minutes)..." >&2
"$bench_build/benchmarks/midi_intake_bench" --benchmark_format=json >"$out/midi_intake.json" 2>/dev/null
"$bench_build/benchmarks/view3d_bench" --benchmark_format=json >"$out/view3d.json" 2>/dev/null

export WINEPREFIX=$WINDOWS_BUILD/wineprefix
trap xvfb_stop EXIT
xvfb_start
wine_run() { "$here/wine-run.sh" --prefix "$WINEPREFIX" "$@"; }
(cd "$WINDOWS_BUILD/benchmarks/win32" && wine_run ./editor_figures.exe QarnViewer.dll) >"$out/editor.txt" 2>/dev/null

# The host's peak resident memory: once with the plug-in loaded and its editor
# never opened, once with the editor open while the demo song plays.
dll=Z:$WINDOWS_BUILD/plugin/QarnViewer.dll
song=Z:$ROOT/host/demo/demo-song.mid
printf 'wait 3000\n' >"$out/loaded.txt"
printf 'open\nplay\nwait 3000\nclose\n' >"$out/open.txt"
peak_kib() {
  /usr/bin/time -f '%M' -o "$out/time.txt" "$here/wine-run.sh" --prefix "$WINEPREFIX" \
    "$WINDOWS_BUILD/host/win32/QarnHost.exe" "$dll" "$song" --script "Z:$out/$1" >/dev/null 2>&1
  tail -1 "$out/time.txt"
}
host_loaded=$(peak_kib loaded.txt)
host_open=$(peak_kib open.txt)

dll_file=$WINDOWS_BUILD/plugin/QarnViewer.dll
imports=$(i686-w64-mingw32-objdump -p "$dll_file" | sed -n 's/^\s*DLL Name: //p' | sort -f | paste -sd ' ')

python3 - "$out" "$(stat -c %s "$dll_file")" "$imports" "$host_loaded" "$host_open" <<'PY'
import json, re, sys
out, dll_size, imports, host_loaded, host_open = sys.argv[1:]

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
print()
print("Editor under Wine (the shipped DLL, counted through its imports):")
for line in open(f"{out}/editor.txt"):
    print("  " + line.rstrip())
print()
print(f"DLL: {int(dll_size)} bytes ({int(dll_size) / 1024:.0f} KiB), imports: {imports}")
print(f"QarnHost peak resident memory under Wine: {int(host_loaded) / 1024:.1f} MiB with the plug-in loaded, "
      f"{int(host_open) / 1024:.1f} MiB with its editor open and the demo song playing")
PY
