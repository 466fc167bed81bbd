#!/usr/bin/env bash
# Builds the plug-in DLL for 32-bit and for 64-bit hosts (installing what is
# missing first) and prints their paths.
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
"$here/setup.sh"
source "$here/lib/builds.sh"
build_win32 --target QarnViewer
build_win64 --target QarnViewer
echo "$WIN32_BUILD/plugin/QarnViewer.dll"
echo "$WIN64_BUILD/plugin/QarnViewer.dll"
