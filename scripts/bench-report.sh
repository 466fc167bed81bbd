#!/usr/bin/env bash
# Measures the plug-in and prints one report: under Wine, through the shipped
# DLL as a host loads it, how long a note takes to reach the screen at host
# idle rates of 15, 30 and 60 Hz (QarnHost --latency), the editor's open and
# close, an idle with nothing to redraw (which must draw nothing and take no
# device context), the frame an idle draws after a block of MIDI per program
# and where its time goes, effProcessEvents per event, the DLL's size and
# imports and the host's peak memory, and the process's private memory over a
# thousand editor opens and closes on both presentation paths beside a plain
# GL child window (scripts/bench-editor-cycles.sh); natively, MIDI intake with its heap
# allocations and the frame off-screen. Then the Linux library as a Linux host
# loads it, beside the same figures of the Windows DLL, each with the ratio
# Linux / Windows: the editor's open and close, the frame after a block of
# MIDI, note to screen (note_to_screen_bench), the library's size, and its
# memory and X resources over the thousand opens and closes. Figures only:
# nothing here passes or fails on a number.
#
#   scripts/bench-report.sh [--baseline REF]
#
# --baseline REF also builds the plug-in of git revision REF (into
# build/bench-baseline, never committed) and measures both the same way in one
# run, alternating, each figure the median of three runs, side by side with
# the ratio ours / baseline.
#
# Wine runs the 32-bit build where this machine can run 32-bit programs, and
# otherwise the same sources built for 64-bit Windows.
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
baseline=
case "${1:-}" in
  --baseline) baseline=${2:?--baseline needs a git revision}; shift 2 ;;
  "") ;;
  *) echo "usage: scripts/bench-report.sh [--baseline REF]" >&2; exit 2 ;;
esac
"$here/setup.sh"
source "$here/lib/builds.sh"
source "$here/lib/xvfb.sh"
rounds=3
bench_root=${QARN_BENCH_BUILD:-$ROOT/build/bench}
out=$bench_root/report
mkdir -p "$out"
rm -f "$out"/*.txt "$out"/*.json

if runs_32bit_windows_programs; then
  arch=i686 wine_loader=/usr/lib/wine/wine wine_arch=win32
else
  arch=x86_64 wine_loader=/usr/lib/wine/wine64 wine_arch=win64
fi
# toolchain_of SOURCE: the MinGW toolchain file of a source tree for $arch.
# Older trees have one 32-bit file, which names its compilers by the triplet.
toolchain_of() {
  local source=$1
  if [ -f "$source/cmake/toolchains/mingw-$arch.cmake" ]; then
    echo "$source/cmake/toolchains/mingw-$arch.cmake"
  else
    sed "s/i686/$arch/g" "$source/cmake/MingwToolchain.cmake" >"$bench_root/mingw-$arch.cmake"
    echo "$bench_root/mingw-$arch.cmake"
  fi
}

# build_side SOURCE BUILD [extra cmake arguments]: the DLL, and with the tests
# our host and the figures program; then the native benchmarks, and for our
# own side the Linux library with its figures programs.
build_side() {
  local source=$1 build=$2
  shift 2
  cmake -S "$source" -B "$build/windows" -G Ninja -DCMAKE_BUILD_TYPE=Release \
    -DCMAKE_TOOLCHAIN_FILE="$(toolchain_of "$source")" "$@" >/dev/null
  cmake --build "$build/windows" -j2 --target QarnViewer $(if [ $# -eq 0 ]; then echo QarnHost editor_figures editor_cycles; fi) >/dev/null
  cmake -S "$source" -B "$build/native" -G Ninja -DCMAKE_BUILD_TYPE=Release \
    -DQARN_SANITIZE=OFF -DQARN_TESTS=OFF -DQARN_BENCHMARKS=ON >/dev/null
  cmake --build "$build/native" -j2 --target midi_intake_bench view3d_bench \
    $(if [ $# -eq 0 ]; then echo QarnViewer editor_figures editor_cycles note_to_screen_bench; fi) >/dev/null
}

echo "building ($arch)..." >&2
build_side "$ROOT" "$bench_root/ours"
sides=(ours)
declare -A dll
dll[ours]=$bench_root/ours/windows/plugin/QarnViewer.dll
declare -A native
native[ours]=$bench_root/ours/native/benchmarks
if [ -n "$baseline" ]; then
  baseline_root=$ROOT/build/bench-baseline
  rm -rf "$baseline_root/src"
  mkdir -p "$baseline_root/src"
  git -C "$ROOT" archive "$baseline" | tar -x -C "$baseline_root/src"
  echo "building the baseline $(git -C "$ROOT" rev-parse --short "$baseline")..." >&2
  build_side "$baseline_root/src" "$baseline_root" -DQARN_TESTS=OFF
  sides+=(baseline)
  dll[baseline]=$baseline_root/windows/plugin/QarnViewer.dll
  native[baseline]=$baseline_root/native/benchmarks
fi

figures=$bench_root/ours/windows/benchmarks/win32
linux=$bench_root/ours/native
host=$bench_root/ours/windows/host/QarnHost.exe
export WINEPREFIX=$bench_root/wineprefix-$arch WINEARCH=$wine_arch WINEDEBUG=-all
export WINEDLLOVERRIDES="winedbg.exe=d;mscoree=d;mshtml=d"
trap xvfb_stop EXIT
xvfb_start
wine_run() { "$wine_loader" "$@"; }

echo "measuring, ${sides[*]} in turn (several minutes)..." >&2
for side in "${sides[@]}"; do cp "${dll[$side]}" "$figures/$side.dll"; done
song=Z:$ROOT/host/demo/demo-song.mid
printf 'wait 3000\n' >"$out/loaded.steps"
printf 'open\nplay\nwait 3000\nclose\n' >"$out/open.steps"
for round in $(seq "$rounds"); do
  for side in "${sides[@]}"; do
    (cd "$figures" && wine_run ./editor_figures.exe "$side.dll") >"$out/$side-editor-$round.txt" 2>/dev/null
    "${native[$side]}/midi_intake_bench" --benchmark_format=json >"$out/$side-intake-$round.json" 2>/dev/null
  done
  "$linux/benchmarks/x11/editor_figures" "$linux/plugin/QarnViewer.so" >"$out/linux-editor-$round.txt" 2>/dev/null || true
done
for side in "${sides[@]}"; do
  "${native[$side]}/view3d_bench" --benchmark_format=json >"$out/$side-view3d.json" 2>/dev/null
  wine_run "$host" "Z:$figures/$side.dll" --latency >"$out/$side-latency.txt" 2>/dev/null || true
  for steps in loaded open; do
    /usr/bin/time -f '%M' -o "$out/$side-$steps-peak.txt" "$wine_loader" "$host" "Z:$figures/$side.dll" "$song" \
      --script "Z:$out/$steps.steps" >/dev/null 2>&1 || true
  done
  $arch-w64-mingw32-objdump -p "${dll[$side]}" | sed -n 's/^\s*DLL Name: //p' | sort -f | paste -sd ' ' >"$out/$side-imports.txt"
  stat -c %s "${dll[$side]}" >"$out/$side-size.txt"
done
"$linux/benchmarks/x11/note_to_screen_bench" >"$out/linux-latency.txt" 2>/dev/null || true
stat -c %s "$linux/plugin/QarnViewer.so" >"$out/linux-size.txt"

python3 - "$out" "$arch" "${sides[@]}" <<'PY'
import json, os, re, statistics, sys
out, arch, sides = sys.argv[1], sys.argv[2], sys.argv[3:]

def read(name):
    path = f"{out}/{name}"
    return open(path).read() if os.path.exists(path) else ""

def figures(side):
    """Every figure of one side: name -> (value, unit), medians over the rounds."""
    runs = {}
    for r in range(1, 10):
        text = read(f"{side}-editor-{r}.txt")
        for line in text.splitlines():
            if ": " in line:
                name, value = line.split(": ", 1)
                parts = re.findall(r"([^,]+?) (-?[\d.]+) ms(?:,|$)", value)
                if len(parts) > 1:  # one line, several figures: "what a ms, what b ms"
                    for key, amount in parts:
                        runs.setdefault(f"{name.split(' (')[0]}: {key.strip()}", []).append((float(amount), "ms"))
                    continue
                m = re.match(r"\s*(-?\d+(?:\.\d+)?)(.*)", value)
                if m:
                    runs.setdefault(name, []).append((float(m[1]), m[2].strip()))
        data = read(f"{side}-intake-{r}.json")
        if data:
            for b in json.loads(data)["benchmarks"]:
                m = re.match(r"processEvents/events:(\d+)/practice:(\d)", b["name"])
                if m:
                    practice = "on" if m[2] == "1" else "off"
                    runs.setdefault(f"native processEvents, blocks of {m[1]}, practice {practice}", []).append(
                        (b["ns_per_event"] * 1e9, "ns per event"))
                    runs.setdefault(f"native processEvents allocations per block, {m[1]} events, practice {practice}",
                                    []).append((b["allocs_per_block"], ""))
    result = {name: (statistics.median(v for v, _ in values), values[0][1]) for name, values in runs.items()}
    data = read(f"{side}-view3d.json")
    if data:
        for b in json.loads(data)["benchmarks"]:
            if b["name"].startswith("frame/"):
                result[f"native frame off-screen 600 x 400, program {b['name'].split('/')[1]}"] = (b["median_ms"], "ms")
            if b["name"].startswith("idleWithNothingToDraw"):
                result["native idle with nothing to redraw"] = (b["real_time"], b["time_unit"])
    for line in read(f"{side}-latency.txt").splitlines():
        m = re.match(r"latency at (\d+) Hz idle: median ([\d.]+) ms, 99th percentile ([\d.]+) ms, frame ([\d.]+) ms", line)
        if m:
            result[f"latency at {m[1]} Hz idle, median"] = (float(m[2]), "ms")
            result[f"latency at {m[1]} Hz idle, 99th percentile"] = (float(m[3]), "ms")
            result[f"latency at {m[1]} Hz idle, frame"] = (float(m[4]), "ms")
    size = read(f"{side}-size.txt").strip()
    if size:
        result["library size"] = (int(size) / 1024, "KiB")
    for steps, label in (("loaded", "plug-in loaded"), ("open", "editor open, demo song playing")):
        peak = read(f"{side}-{steps}-peak.txt").strip().splitlines()
        if peak and peak[-1].isdigit():
            result[f"QarnHost peak memory, {label}"] = (int(peak[-1]) / 1024, "MiB")
    return result

data = {side: figures(side) for side in sides}
cpu = next((l.split(":", 1)[1].strip() for l in open("/proc/cpuinfo") if l.startswith("model name")), "?")
print(f"Machine: {os.cpu_count()} cores, {cpu}; Windows build: {arch}; medians of the runs")
names = list(data["ours"].keys())
for side in sides[1:]:
    names += [n for n in data[side] if n not in names]
width = max(len(n) for n in names)
if len(sides) == 1:
    for name in names:
        value, unit = data["ours"][name]
        print(f"  {name:<{width}}  {value:10.3f} {unit}")
else:
    print(f"  {'figure':<{width}}  {'ours':>10}  {'baseline':>10}  {'ratio':>6}")
    for name in names:
        ours = data["ours"].get(name)
        base = data["baseline"].get(name)
        unit = (ours or base)[1]
        o = f"{ours[0]:10.3f}" if ours else f"{'-':>10}"
        b = f"{base[0]:10.3f}" if base else f"{'-':>10}"
        ratio = f"{ours[0] / base[0]:6.2f}" if ours and base and base[0] else f"{'-':>6}"
        print(f"  {name:<{width}}  {o}  {b}  {ratio}  {unit}")
for side in sides:
    print(f"DLL imports ({side}): {read(f'{side}-imports.txt').strip()}")

# The Linux library beside our DLL: pairs of (Linux figure, Windows figure),
# named from the start of the programs' lines (a count in brackets may follow).
linux, windows = figures("linux"), data["ours"]
def find(fig, start):
    return next((fig[n] for n in fig if n == start or n.startswith(start + " (")), None)
pairs = [(n, n) for n in ("first editor open", "first editor open to first frame", "editor open",
                          "editor open to first frame", "editor close")]
pairs += [(f"frame after a MIDI block, program {p}", f"idle that draws one frame after a MIDI block, program {p}")
          for p in range(5)]
pairs += [(f"latency at {hz} Hz idle, {what}",) * 2 for hz in (15, 30, 60)
          for what in ("median", "99th percentile", "frame")]
pairs += [("library size", "library size")]
print(f"Linux library natively (X11, GLX) beside the {arch} DLL under Wine, one run; ratio Linux / Windows")
width = max(len(l) for l, _ in pairs)
print(f"  {'figure':<{width}}  {'Linux':>10}  {'Windows':>10}  {'ratio':>6}")
cell = lambda figure: f"{figure[0]:10.3f}" if figure else f"{'-':>10}"
for linux_name, windows_name in pairs:
    l, w = find(linux, linux_name), find(windows, windows_name)
    unit = (l or w or (0, ""))[1]
    ratio = f"{l[0] / w[0]:6.2f}" if l and w and w[0] else f"{'-':>6}"
    print(f"  {linux_name:<{width}}  {cell(l)}  {cell(w)}  {ratio}  {unit}")
paired = {l for l, _ in pairs}
for name, (value, unit) in linux.items():
    if not any(name == p or name.startswith(p + " (") for p in paired):
        print(f"  Linux only: {name}: {value:g} {unit}")
PY
"$here/bench-editor-cycles.sh" --figures "$figures" --native "$linux"
