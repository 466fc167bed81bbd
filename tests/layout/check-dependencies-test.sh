#!/usr/bin/env bash
# The dependency check against a small tree of its own: a tree that follows
# its layout table passes; an include against the table's direction, a file
# in no folder of the table, and a table whose directions loop each fail,
# naming the fault.
set -uo pipefail
check=$(cd "$(dirname "$0")/../.." && pwd)/scripts/check-dependencies.py
tree=$(mktemp -d)
trap 'rm -rf "$tree"' EXIT
failures=0

# expect <exit status> <text the output must hold>
expect() {
  local output status
  output=$(python3 "$check" --root "$tree" 2>&1)
  status=$?
  if [ "$status" -ne "$1" ] || ! grep -qF -- "$2" <<<"$output"; then
    echo "check-dependencies-test: FAILED: wanted exit $1 and \"$2\", got exit $status:"
    echo "$output"
    failures=$((failures + 1))
  fi
}

table() {
  printf '# T\n\n## How the code is laid out\n\n| folder | what | includes from |\n|---|---|---|\n%s\n\n## Next\n' "$1" >"$tree/README.md"
}

mkdir -p "$tree/base" "$tree/top" "$tree/tests"
git -C "$tree" init -q
table '| `base/` | b | nothing of ours |
| `top/` | t | `base/` |
| `tests/` | x | every folder |'
printf '#pragma once\n' >"$tree/base/Base.h"
printf '#include "base/Base.h"\n#include <vector>\n#include "third_party.h"\n' >"$tree/top/Top.cpp"
printf '#include "top/Top.h"\n' >"$tree/top/Top.h"
printf '#include "top/Top.h"\n#include "base/Base.h"\n' >"$tree/tests/Test.cpp"
expect 0 "every include follows"

printf '#include "../top/Top.h"\n' >"$tree/base/Base.cpp"
expect 1 "base/Base.cpp:1: base/ may not include top/Top.h (top/)"
rm "$tree/base/Base.cpp"

mkdir -p "$tree/loose"
printf '#include "base/Base.h"\n' >"$tree/loose/Loose.cpp"
expect 1 "loose/Loose.cpp is in no folder"
rm -r "$tree/loose"

table '| `base/` | b | `top/` |
| `top/` | t | `base/` |'
expect 1 "in a loop: base/ -> top/ -> base/"

[ "$failures" -eq 0 ] && echo "check-dependencies-test: ok"
exit $((failures > 0))
