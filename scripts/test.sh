#!/usr/bin/env bash
# Runs every test: installs what is missing, builds the native and the Windows
# build, and runs both test suites (the Windows one under Wine on a private
# Xvfb display). Then the hardening checks: the stress tests built again with
# ThreadSanitizer, the fuzz targets over their seeds (when clang is there) and
# the plug-in in LMMS (scripts/lmms-smoke.sh renders, scripts/lmms-gui-smoke.sh
# shows the editor in LMMS's window).
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
"$here/setup.sh"
source "$here/lib/builds.sh"
source "$here/lib/xvfb.sh"
source "$here/lib/hardening.sh"

build_native
build_windows
build_tsan
if have_clang; then build_fuzz; fi

status=0
# The fuzz targets over their seeds, and the plug-in in LMMS (its own display).
if have_clang; then fuzz_seeds_once || status=1; fi
"$here/lmms-smoke.sh" || status=1
"$here/lmms-gui-smoke.sh" || status=1

export WINEPREFIX=$WINDOWS_BUILD/wineprefix
trap xvfb_stop EXIT
xvfb_start

ctest --test-dir "$TSAN_BUILD" -R '^stress_tests$' --output-on-failure || status=1
ctest --test-dir "$NATIVE_BUILD" --output-on-failure || status=1
ctest --test-dir "$WINDOWS_BUILD" --output-on-failure || status=1
exit $status
