# Sourced by the scripts that run our host on the demo song (demo.sh,
# render-video.sh): which host and plug-in run it, and how. The Linux host
# and plug-in run natively by default; QARN_HOST=win32 or win64 runs that
# Windows host and DLL under Wine instead. QARN_PLUGIN_FORMAT=clap plays the
# CLAP build (QarnViewer.clap) instead of the VST 2 one, QARN_PLUGIN_FORMAT=vst3
# the VST 3 bundle (QarnViewer.vst3, a folder). QARN_HOST_BUILD names
# a build folder of that kind already built, used as it is. Needs builds.sh
# and winpath.sh.

HOST_KIND=${QARN_HOST:-linux}
case $HOST_KIND in
  linux | win32 | win64) ;;
  *) echo "QARN_HOST=$HOST_KIND: one of linux, win32, win64" >&2; exit 2 ;;
esac
case ${QARN_PLUGIN_FORMAT:-vst2} in
  vst2)
    PLUGIN_TARGET=QarnViewer
    if [ "$HOST_KIND" = linux ]; then PLUGIN_FILE=QarnViewer.so; else PLUGIN_FILE=QarnViewer.dll; fi
    ;;
  clap) PLUGIN_TARGET=QarnViewerClap PLUGIN_FILE=QarnViewer.clap ;;
  vst3) PLUGIN_TARGET=QarnViewerVst3 PLUGIN_FILE=QarnViewer.vst3 ;;
  *) echo "QARN_PLUGIN_FORMAT=$QARN_PLUGIN_FORMAT: one of vst2, clap, vst3" >&2; exit 2 ;;
esac

# Builds the host and plug-in unless a build folder was given; sets HOST_BUILD.
build_host() {
  if [ -n "${QARN_HOST_BUILD:-}" ]; then
    HOST_BUILD=$QARN_HOST_BUILD
  else
    build_preset "$HOST_KIND" --target "$PLUGIN_TARGET" QarnHost >/dev/null
    HOST_BUILD=$(preset_build "$HOST_KIND")
  fi
}

# A file's path as the host sees it.
host_path() {
  if [ "$HOST_KIND" = linux ]; then
    printf '%s/%s\n' "$(cd "$(dirname "$1")" && pwd)" "$(basename "$1")"
  else
    windows_path "$1"
  fi
}

# Runs the host on the plug-in with the given arguments (paths through host_path).
run_host() {
  if [ "$HOST_KIND" = linux ]; then
    "$HOST_BUILD/host/QarnHost" "$HOST_BUILD/plugin/$PLUGIN_FILE" "$@"
  else
    WINEPREFIX=$HOST_BUILD/wineprefix "$ROOT/scripts/wine-run.sh" --prefix "$HOST_BUILD/wineprefix" --arch "$HOST_KIND" \
      "$HOST_BUILD/host/QarnHost.exe" "$(windows_path "$HOST_BUILD/plugin/$PLUGIN_FILE")" "$@"
  fi
}

# Stops the private X server, and under Wine the prefix's server with it.
stop_host_display() {
  if [ "$HOST_KIND" = linux ]; then xvfb_stop; else xvfb_stop_with_wine "$HOST_BUILD/wineprefix"; fi
}
