#!/usr/bin/env bash
# Builds the plug-in and our host for both Windows targets, and the Linux
# plug-in, and leaves the release packages in dist/:
#   dist/QarnViewer-<version>-win32.zip   for 32-bit Windows hosts
#   dist/QarnViewer-<version>-win64.zip   for 64-bit Windows hosts
# each with QarnViewer.dll, QarnViewer.clap, the VST 3 bundle
# QarnViewer.vst3/, QarnHost.exe, the demo song and INSTALL.txt, and
#   dist/QarnViewer-<version>-linux-x86_64.tar.gz   for Linux hosts
# with QarnViewer.so, QarnViewer.clap, the VST 3 bundle QarnViewer.vst3/, the
# LV2 bundle QarnViewer.lv2/ and INSTALL.txt.
# The version is the project's (CMakeLists.txt).
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
"$here/setup.sh"
source "$here/lib/builds.sh"

dist=$ROOT/dist
mkdir -p "$dist"
for target in "${WINDOWS_TARGETS[@]}"; do
  build_preset "$target" --target QarnViewer QarnViewerClap QarnViewerVst3 QarnHost >/dev/null
  (cd "$(preset_build "$target")" && cpack -B "$dist" >/dev/null)
done
build_preset linux --target QarnViewer QarnViewerClap QarnViewerVst3 QarnViewerLv2Bundle >/dev/null
(cd "$(preset_build linux)" && cpack -B "$dist" >/dev/null)
rm -rf "$dist/_CPack_Packages"
ls "$dist"/QarnViewer-*.zip "$dist"/QarnViewer-*-linux-x86_64.tar.gz
