#!/usr/bin/env bash
# Runs every test: installs what is missing, builds the native build and both
# Windows builds (32-bit and 64-bit), and runs their test suites (the Windows
# ones under wine32 and wine64, each in its build folder's own prefix, on a
# private Xvfb display). Then the release packages: scripts/package.sh makes
# both, and each is unpacked and its DLL loaded with its host. Then the
# hardening checks: the stress tests built again with ThreadSanitizer, the
# fuzz targets over their seeds (when clang is there) and the plug-in in
# LMMS (scripts/lmms-smoke.sh, 32-bit: Debian's LMMS is i386).
# Prints how long each suite took.
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
"$here/setup.sh"
source "$here/lib/builds.sh"
source "$here/lib/xvfb.sh"
source "$here/lib/hardening.sh"
cd "$ROOT"

build_native
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

# The fuzz targets over their seeds, and the plug-in in LMMS (its own display).
if have_clang; then timed "fuzz seeds" ctest --preset fuzz; fi
timed "LMMS smoke test" "$here/lmms-smoke.sh"

trap 'xvfb_stop_with_wine "$WIN32_BUILD/wineprefix" "$WIN64_BUILD/wineprefix"' EXIT
xvfb_start

timed "ThreadSanitizer stress tests" ctest --preset tsan
timed "native tests" ctest --preset native
version=$(sed -n 's/^CMAKE_PROJECT_VERSION:STATIC=//p' "$WIN32_BUILD/CMakeCache.txt")
for target in "${WINDOWS_TARGETS[@]}"; do
  timed "$target tests" ctest --preset "$target"
done
for target in "${WINDOWS_TARGETS[@]}"; do
  other=$([ "$target" = win32 ] && echo win64 || echo win32)
  timed "$target package" "$ROOT/tests/package/check-package.sh" "$ROOT/dist/QarnViewer-$version-$target.zip" \
    "$target" "$(preset_build "$target")/wineprefix" "$ROOT/dist/QarnViewer-$version-$other.zip"
done
exit $status
