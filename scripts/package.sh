#!/usr/bin/env bash
# Builds the plug-in and our host for both Windows targets and leaves the
# release packages in dist/:
#   dist/QarnViewer-<version>-win32.zip   for 32-bit hosts
#   dist/QarnViewer-<version>-win64.zip   for 64-bit hosts
# each with QarnViewer.dll, QarnHost.exe, the demo song and INSTALL.txt.
# The version is the project's (CMakeLists.txt).
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
"$here/setup.sh"
source "$here/lib/builds.sh"

dist=$ROOT/dist
mkdir -p "$dist"
for target in "${WINDOWS_TARGETS[@]}"; do
  build_preset "$target" --target QarnViewer QarnHost >/dev/null
  (cd "$(preset_build "$target")" && cpack -B "$dist" >/dev/null)
done
rm -rf "$dist/_CPack_Packages"
ls "$dist"/QarnViewer-*.zip
