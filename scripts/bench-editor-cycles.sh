#!/usr/bin/env bash
# Private memory over many editor opens and closes: the process's private
# pages as Linux counts them (Private_Clean + Private_Dirty of smaps_rollup)
# after 1, 10, 100 and 1000 cycles, and the median effEditClose, side by side
# in one run:
#
#   straightforward  a GL child window with a plain buffer swap, nothing else
#   plain + copy     the same window with the copy path's calls alone (read-back
#                    into a DIB section, drawn with GDI into a covering window)
#   editor, copy     the shipped DLL as a host drives it, QARN_PRESENT=copy
#   editor, swap     the same, QARN_PRESENT=swap
#   Linux .so        the Linux library natively, as a Linux host drives it
#                    (benchmarks/x11/EditorCycles.cpp), with its heap in use
#                    and the X server's resources of the process's connections
#
# Figures only: nothing here passes or fails on a number.
#
#   scripts/bench-editor-cycles.sh [--cycles N] [--figures DIR [--native DIR]]
#
# --figures names a folder holding editor_cycles.exe and QarnViewer.dll (as
# scripts/bench-report.sh builds them) and runs with the Wine prefix and
# display already set; --native then names the native build holding
# plugin/QarnViewer.so and benchmarks/x11/editor_cycles, and without it the
# Linux side is left out. Without --figures the win64 and bench presets are
# built and a private display started. A side is one line of `sides` below
# (same arguments, same output lines).
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
cycles=1000
figures=
native=
while [ $# -gt 0 ]; do
  case $1 in
    --cycles) cycles=${2:?--cycles needs a number}; shift 2 ;;
    --figures) figures=${2:?--figures needs a folder}; shift 2 ;;
    --native) native=${2:?--native needs a folder}; shift 2 ;;
    *) echo "usage: scripts/bench-editor-cycles.sh [--cycles N] [--figures DIR [--native DIR]]" >&2; exit 2 ;;
  esac
done
source "$here/lib/builds.sh"
if [ -z "$figures" ]; then
  "$here/setup.sh"
  source "$here/lib/xvfb.sh"
  build_win64 --target editor_cycles >/dev/null
  figures=$WIN64_BUILD/benchmarks/win32
  build_preset bench --target QarnViewer editor_cycles >/dev/null
  native=$(preset_build bench)
  export WINEPREFIX=$WIN64_BUILD/wineprefix WINEARCH=win64
  trap xvfb_stop EXIT
  xvfb_start
  "$here/wine-run.sh" --prefix "$WINEPREFIX" --arch win64 cmd /c exit >/dev/null 2>&1 || true
fi
export WINEDEBUG=-all WINEDLLOVERRIDES="winedbg.exe=d;mscoree=d;mshtml=d"
wine_loader=/usr/lib/wine/wine64
if [ "${WINEARCH:-win64}" = win32 ]; then wine_loader=/usr/lib/wine/wine; fi
out=$(mktemp -d)

# name|environment|program and arguments (run in $figures)
sides=(
  "straightforward||$wine_loader ./editor_cycles.exe --plain $cycles"
  "plain + copy||$wine_loader ./editor_cycles.exe --plain-copy $cycles"
  "editor, copy|QARN_PRESENT=copy|$wine_loader ./editor_cycles.exe QarnViewer.dll $cycles"
  "editor, swap|QARN_PRESENT=swap|$wine_loader ./editor_cycles.exe QarnViewer.dll $cycles"
)
if [ -n "$native" ]; then
  sides+=("Linux .so||$native/benchmarks/x11/editor_cycles $native/plugin/QarnViewer.so $cycles")
fi
echo "running $cycles cycles on ${#sides[@]} sides (about a minute each)..." >&2
index=0
for side in "${sides[@]}"; do
  IFS='|' read -r name environment command <<<"$side"
  printf '%s\n' "$name" >"$out/$index.txt"
  (cd "$figures" && env $environment $command >>"$out/$index.txt" 2>/dev/null) || echo "failed" >>"$out/$index.txt"
  index=$((index + 1))
done

python3 - "$out" "$cycles" <<'PY'
import os, re, sys
out, cycles = sys.argv[1], int(sys.argv[2])
sides = []
for name in sorted(os.listdir(out), key=lambda n: int(n.split(".")[0])):
    lines = open(os.path.join(out, name)).read().splitlines()
    after = lambda what: {int(m[1]): m[2] for m in (re.match(rf"{what} after (\d+) cycles: (.+)", l) for l in lines) if m}
    memory = {c: int(v.split()[0]) for c, v in after("private memory").items()}
    close = next((float(m[1]) for m in (re.match(r"close \(median of \d+\): ([\d.]+) ms", l) for l in lines) if m), None)
    inside = next((l.split(": ", 1)[1] for l in lines if l.startswith("close, inside the calls")), "")
    sides.append((lines[0], memory, close, inside, after("heap in use"), after("X resources"), lines))
marks = [c for c in (1, 10, 100, 1000, 10000) if c <= cycles] + ([cycles] if cycles not in (1, 10, 100, 1000, 10000) else [])
width = max(16, *(len(s[0]) for s in sides))
print(f"Private memory over editor opens and closes under Wine, kB (Linux's count of the process's private pages)")
print(f"  {'cycles':<8}" + "".join(f"{s[0]:>{width}}" for s in sides))
for mark in marks:
    print(f"  {mark:<8}" + "".join(f"{s[1].get(mark, '-'):>{width}}" for s in sides))
growth = lambda s, a, b: s[1][b] - s[1][a] if a in s[1] and b in s[1] else None
for a, b in ((1, 10), (10, cycles)):
    cells = []
    for s in sides:
        g = growth(s, a, b)
        cells.append(f"{g:+d}" if g is not None else "-")
    print(f"  {f'{a}->{b}':<8}" + "".join(f"{c:>{width}}" for c in cells))
print(f"  {'close ms':<8}" + "".join(f"{(f'{s[2]:.3f}' if s[2] is not None else '-'):>{width}}" for s in sides))
# The Linux library's close is set beside the DLL's on the path Windows uses.
closes = {s[0]: s[2] for s in sides}
for s in sides[1:]:
    against = "editor, swap" if s[0] == "Linux .so" else sides[0][0]
    if s[2] is not None and closes.get(against):
        print(f"  close, {s[0]} / {against}: {s[2] / closes[against]:.2f}" + (f" ({s[3]})" if s[3] else ""))
for s in sides:
    if s[4] or s[5]:
        print(f"{s[0]}, natively: the C library's heap in use, and what the X server holds for the process's connections")
        for mark in marks:
            print(f"  {mark:<8}heap {s[4].get(mark, '-'):>10}   X resources {s[5].get(mark, '-')}")
        for line in s[6]:
            if line.startswith(("X resources with", "cycles whose", "X errors")):
                print(f"  {line}")
PY
rm -rf "$out"
