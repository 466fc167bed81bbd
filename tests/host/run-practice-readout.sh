#!/usr/bin/env bash
# A practice run of the host on the real plug-in, then the check that each
# capture's read-out shows what it should.
#   run-practice-readout.sh <output pattern or ""> <capture>=<shown>... -- <checker command...> -- <host command...>
# <shown> is a percentage ("50.00") or a practice report (.json) the host
# writes, whose percentage the read-out must show. The host's script captures
# each <capture> in the working folder; the checker is run as
#   <checker command...> <capture> <shown>
set -uo pipefail
pattern=$1
shift
checks=()
while [ "$1" != "--" ]; do checks+=("$1"); shift; done
shift
checker=()
while [ "$1" != "--" ]; do checker+=("$1"); shift; done
shift

for check in "${checks[@]}"; do
  rm -f -- "${check%%=*}"
  case ${check#*=} in *.json) rm -f -- "${check#*=}" ;; esac
done
"$(dirname "$0")/run-host-script.sh" 0 "$pattern" "" "$@" || exit 1

fail=0
for check in "${checks[@]}"; do
  capture=${check%%=*}
  shown=${check#*=}
  [ -s "$capture" ] || { echo "run-practice-readout: $capture was not written"; fail=1; continue; }
  case $shown in
    *.json)
      [ -s "$shown" ] || { echo "run-practice-readout: $shown was not written"; fail=1; continue; }
      cat -- "$shown"
      ;;
  esac
  echo "run-practice-readout: $capture shows $shown"
  "${checker[@]}" "$capture" "$shown" || fail=1
done
exit $fail
