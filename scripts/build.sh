#!/usr/bin/env bash
# Builds the plug-in DLL (installing what is missing first) and prints its path.
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
"$here/setup.sh"
source "$here/lib/builds.sh"
build_windows --target QarnViewer
echo "$WINDOWS_BUILD/plugin/QarnViewer.dll"
