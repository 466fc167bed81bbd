#!/usr/bin/env bash
# A practice run of the host on the real plug-in, then the check that the
# report's percentage is the read-out the plug-in drew.
#   run-practice-readout.sh <checker command...> -- <host command...>
# The host's script must write practice-report.json (--report) and capture
# practice-readout.png in the working folder.
set -uo pipefail
checker=()
while [ "$1" != "--" ]; do checker+=("$1"); shift; done
shift

rm -f practice-report.json practice-readout.png
"$(dirname "$0")/run-host-script.sh" 0 "Practice report: demo-song.mid, tempo 200 %" practice-readout.png "$@" || exit 1
[ -s practice-report.json ] || { echo "run-practice-readout: practice-report.json was not written"; exit 1; }
cat practice-report.json
QARN_PRACTICE_REPORT=practice-report.json QARN_PRACTICE_CAPTURE=practice-readout.png "${checker[@]}"
