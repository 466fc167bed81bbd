# Sourced by the LMMS checks (after lib/builds.sh): Debian's i386 LMMS with
# its VST server, running our DLL under Wine in a private prefix, with a
# private HOME for LMMS's settings so that runs share nothing, on a private
# display (lib/xvfb.sh). Debian's LMMS is i386, so it hosts the 32-bit DLL.
source "$(dirname "${BASH_SOURCE[0]}")/xvfb.sh"
LMMS_WORK=$ROOT/build/lmms

# lmms_environment: HOME, the Wine prefix and Wine's settings for the VST
# server (no debugger: a crash ends the run instead of hanging it).
lmms_environment() {
  mkdir -p "$LMMS_WORK/home"
  export HOME=$LMMS_WORK/home WINEPREFIX=$LMMS_WORK/wineprefix WINEARCH=win32 WINEDEBUG=-all
  export WINEDLLOVERRIDES="winedbg.exe=d;mscoree=d;mshtml=d"
}

# lmms_runnable: answers 0 when this machine can start LMMS. Debian's LMMS
# and its VST server are 32-bit programs; a kernel without 32-bit support
# (its x86 emulation switched off) cannot start them at all.
# LMMS refuses to run as root unless told otherwise, and CI runs as root.
lmms_runnable() {
  if ! lmms --allowroot --version >/dev/null 2>&1; then
    echo "LMMS cannot be started here: $(lmms --allowroot --version 2>&1 | head -1)" >&2
    return 1
  fi
}

# lmms_project <plugin.dll> <editor shown 0|1> <project.mmp>: the test
# project with the plug-in on its instrument track.
lmms_project() {
  sed -e "s#@PLUGIN@#$1#" -e "s#@EDITOR_SHOWN@#$2#" "$ROOT/tests/lmms/project.mmp.in" >"$3"
}

# lmms_fault <log>: prints and answers 0 when LMMS or Wine reported that the
# plug-in could not be loaded or faulted.
lmms_fault() {
  if grep -qE 'could not be loaded|[Ff]ailed to load' "$1"; then
    echo "not loaded"; return 0
  fi
  if grep -qE 'Unhandled (page fault|exception|illegal)|[Cc]rash|Segmentation fault' "$1"; then
    echo "crashed: $(grep -m1 -E 'Unhandled|[Cc]rash|Segmentation' "$1")"; return 0
  fi
  return 1
}
