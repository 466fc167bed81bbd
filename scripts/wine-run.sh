#!/usr/bin/env bash
# Runs a Windows program under Wine in the project's private prefix.
#   wine-run.sh --prefix <dir> <program.exe> [args...]
# The prefix is created on first use (about 15 s) and reused afterwards.
# Needs DISPLAY (scripts/test.sh starts an Xvfb display for the tests).
set -euo pipefail

if [ "${1:-}" = "--prefix" ]; then
  WINEPREFIX=$2
  shift 2
else
  WINEPREFIX=${WINEPREFIX:-$(cd "$(dirname "$0")/.." && pwd)/build/windows/wineprefix}
fi
export WINEPREFIX WINEARCH=win32 WINEDEBUG=-all
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
    wineboot -i >/dev/null 2>&1 || true
    wineserver -w
  fi
) 9>"$WINEPREFIX.lock"

exec wine "$@"
