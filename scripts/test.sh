#!/usr/bin/env bash
# Runs every test: installs what is missing, builds the native build, the
# Linux plug-in (QarnViewer.so) and both Windows builds (32-bit and 64-bit),
# and runs their test suites (the Linux plug-in's natively and the Windows
# ones under wine32 and wine64, each in its build folder's own prefix, all on
# a private Xvfb display). Then the release packages: scripts/package.sh makes
# them, each Windows one is unpacked and its DLL loaded with its host, and
# the Linux one is unpacked and its library loaded and asked what it is. Then the
# hardening checks: the stress tests built again with ThreadSanitizer, the
# fuzz targets over their seeds (when clang is there) and the plug-in in
# LMMS (32-bit, Debian's LMMS is i386: scripts/lmms-smoke.sh renders,
# scripts/lmms-gui-smoke.sh shows the editor in LMMS's window), and the
# native Linux plug-in played by Debian's Ardour 7 (scripts/ardour-smoke.sh).
# On a kernel that cannot run 32-bit programs at all (its x86 emulation
# switched off), or where apt could not install the i386 set, wine32 and LMMS
# cannot start: those suites are then skipped with a line that says so (the
# 32-bit DLL's tables are still read), and everything else still runs.
# Before the tests, every include is checked against the directions in the
# README's layout table. Prints how long each suite took.
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
"$here/setup.sh"
source "$here/lib/builds.sh"
source "$here/lib/xvfb.sh"
source "$here/lib/hardening.sh"
cd "$ROOT"

build_native
build_linux
build_win32
build_win64
build_tsan
if have_clang; then build_fuzz; fi
"$here/package.sh" >/dev/null

status=0
# timed <label> <command...>: runs the command, notes a failure, prints its time.
timed() {
  local label=$1 started=$SECONDS
  shift
  "$@" || status=1
  echo "test.sh: $label took $((SECONDS - started)) s"
}
# runnable <target>: answers 0 when this machine can run that target's programs.
runnable() {
  [ "$1" != win32 ] || runs_32bit_windows_programs && return 0
  if runs_32bit_programs; then
    echo "test.sh: $1 suites SKIPPED: the i386 packages (wine32, LMMS) are not installed"
  else
    echo "test.sh: $1 suites SKIPPED: this kernel cannot run 32-bit programs (wine32, LMMS)"
  fi
  return 1
}

# Which folder may include which: the README's layout table.
timed "dependency check" python3 "$here/check-dependencies.py"

# The fuzz targets over their seeds, and the plug-in in LMMS (its own display).
if have_clang; then timed "fuzz seeds" ctest --preset fuzz; fi
timed "Ardour smoke test" "$here/ardour-smoke.sh"
if runnable win32; then
  timed "LMMS smoke test" "$here/lmms-smoke.sh"
  timed "LMMS editor test" "$here/lmms-gui-smoke.sh"
fi

trap 'xvfb_stop_with_wine "$WIN32_BUILD/wineprefix" "$WIN64_BUILD/wineprefix"' EXIT
xvfb_start

timed "ThreadSanitizer stress tests" ctest --preset tsan
timed "native tests" ctest --preset native
timed "Linux plug-in and host tests" ctest --preset linux
version=$(sed -n 's/^CMAKE_PROJECT_VERSION:STATIC=//p' "$WIN32_BUILD/CMakeCache.txt")
for target in "${WINDOWS_TARGETS[@]}"; do
  if runnable "$target"; then
    timed "$target tests" ctest --preset "$target"
  else
    # Reading the DLL's export and import tables runs nothing of Windows.
    timed "$target DLL tables" ctest --preset "$target" -R '^dll_tables$'
  fi
done
for target in "${WINDOWS_TARGETS[@]}"; do
  runnable "$target" || continue
  other=$([ "$target" = win32 ] && echo win64 || echo win32)
  timed "$target package" "$ROOT/tests/package/check-package.sh" "$ROOT/dist/QarnViewer-$version-$target.zip" \
    "$target" "$(preset_build "$target")/wineprefix" "$ROOT/dist/QarnViewer-$version-$other.zip"
done
timed "linux package" "$ROOT/tests/package/check-linux-package.sh" \
  "$ROOT/dist/QarnViewer-$version-linux-x86_64.tar.gz" "$(preset_build linux)/package-check"
exit $status
