#!/usr/bin/env bash
# Runs a Windows program under Wine in the project's private prefix.
#   wine-run.sh --prefix <dir> [--arch win32|win64] <program.exe> [args...]
# A 64-bit program needs a 64-bit prefix (win64) and Wine's 64-bit loader;
# each build folder keeps its own prefix. The prefix is created on first use
# (15 to 30 s) and reused afterwards. Needs DISPLAY (scripts/test.sh starts
# an Xvfb display for the tests).
set -euo pipefail

root=$(cd "$(dirname "$0")/.." && pwd)
arch=win32
WINEPREFIX=${WINEPREFIX:-$root/build/win32/wineprefix}
while [ $# -gt 0 ]; do
  case $1 in
    --prefix) WINEPREFIX=$2; shift 2 ;;
    --arch) arch=$2; shift 2 ;;
    *) break ;;
  esac
done
case $arch in
  win32) loader=/usr/lib/wine/wine ;;
  win64) loader=/usr/lib/wine/wine64 ;;
  *) echo "wine-run: --arch is win32 or win64, not '$arch'" >&2; exit 2 ;;
esac
export WINEPREFIX WINEARCH=$arch WINEDEBUG=-all WINELOADER=$loader
# No debugger (a crashing test must end, not hang) and no Mono/Gecko install prompts.
export WINEDLLOVERRIDES="winedbg.exe=d;mscoree=d;mshtml=d"

if [ -z "${DISPLAY:-}" ]; then
  echo "wine-run: DISPLAY is not set; run the tests through scripts/test.sh" >&2
  exit 2
fi

mkdir -p "$(dirname "$WINEPREFIX")"
(
  flock 9
  if [ ! -f "$WINEPREFIX/system.reg" ]; then
    "$loader" wineboot -i >/dev/null 2>&1 || true
    wineserver -w
  fi
) 9>"$WINEPREFIX.lock"

exec "$loader" "$@"
