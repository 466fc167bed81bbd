#!/usr/bin/env bash
# Runs every test: installs what is missing, builds the native and the Windows
# build, and runs both test suites (the Windows one under Wine on a private
# Xvfb display).
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
"$here/setup.sh"
source "$here/lib/builds.sh"
source "$here/lib/xvfb.sh"

build_native
build_windows

export WINEPREFIX=$WINDOWS_BUILD/wineprefix
trap xvfb_stop EXIT
xvfb_start

status=0
ctest --test-dir "$NATIVE_BUILD" --output-on-failure || status=1
ctest --test-dir "$WINDOWS_BUILD" --output-on-failure || status=1
exit $status
