#!/usr/bin/env bash
# Checks what a Linux host sees of the shared object: an x86-64 ELF library
# whose dynamic symbol table exports exactly the expected names, and which
# needs only system libraries (glibc, Xlib, Xft, the GL library), the C++
# runtime being linked in.
#   check-library-tables.sh <library.so> <export>...
set -euo pipefail
library=$1
shift
expected=$(printf '%s\n' "$@" | sort)
fail=0

header=$(readelf -h "$library")
if ! grep -q 'Class: *ELF64' <<<"$header" || ! grep -q 'Machine: *Advanced Micro Devices X86-64' <<<"$header" ||
  ! grep -q 'Type: *DYN' <<<"$header"; then
  echo "not an x86-64 ELF shared object:"; grep -E 'Class|Machine|Type' <<<"$header"
  fail=1
fi

# Defined symbols of the dynamic table, names without version suffixes.
exports=$(nm -D --defined-only "$library" | awk '{print $3}' | sed 's/@.*//' | sort)
if [ "$exports" != "$expected" ]; then
  echo "expected the exports $(echo $expected), found:"; printf '  %s\n' $exports
  fail=1
fi

allowed='^(libc\.so\.6|libm\.so\.6|ld-linux-x86-64\.so\.2|libX11\.so\.6|libXft\.so\.2|libfontconfig\.so\.1|libGL\.so\.1)$'
needed=$(readelf -d "$library" | sed -n 's/.*(NEEDED).*\[\(.*\)\]/\1/p')
for name in $needed; do
  if ! grep -qE "$allowed" <<<"$name"; then
    echo "needs a library that is not part of the system's base: $name"
    fail=1
  fi
done

[ $fail -eq 0 ] && echo "exports: $(echo $exports); needs: $(echo $needed)"
exit $fail
