#!/usr/bin/env bash
# Checks what a host sees of the DLL: exactly the expected exports,
# undecorated, and imports from Windows system DLLs only (no MinGW runtime DLLs).
#   check-dll-tables.sh <objdump> <dll> <export>...
set -euo pipefail
objdump=$1
dll=$2
shift 2
expected=$(printf '%s\n' "$@" | sort)
tables=$("$objdump" -p "$dll")
fail=0

exports=$(printf '%s\n' "$tables" | awk '/\[Ordinal\/Name Pointer\] Table/ {on=1; next} on && NF == 0 {on=0} on {print $NF}' | sort)
if [ "$exports" != "$expected" ]; then
  echo "expected the exports $(echo $expected), found:"; printf '  %s\n' $exports
  fail=1
fi

allowed='^(KERNEL32|USER32|GDI32|OPENGL32|GLU32|msvcrt|ADVAPI32|WINMM|COMCTL32)\.dll$'
imports=$(printf '%s\n' "$tables" | awk '/DLL Name:/ {print $3}')
for dll_name in $imports; do
  if ! printf '%s\n' "$dll_name" | grep -qiE "$allowed"; then
    echo "imports a DLL that is not part of Windows: $dll_name"
    fail=1
  fi
done

[ $fail -eq 0 ] && echo "exports: $(echo $exports); imports: $(echo $imports)"
exit $fail
