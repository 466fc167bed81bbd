#!/usr/bin/env bash
# Draws the reference pictures of the 3-D view again (one per program, at the
# default view) into tests/view3d/reference/, from a native off-screen build.
# Run it only after an intended change of what the view draws, then LOOK at
# the pictures before committing them: each piano seen from above, the flute
# lying across the view, all on the dark blue background.
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)

"$here/setup.sh"
source "$here/lib/builds.sh"
build_preset references --target view3d_render_tests
QARN_UPDATE_REFERENCES=1 "$(preset_build references)/tests/view3d/view3d_render_tests" --gtest_filter='ReferencePictures.*'
echo "Pictures written to $ROOT/tests/view3d/reference/; look at them before committing."
