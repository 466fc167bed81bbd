# Sourced by the scripts: configures and builds the project's builds, each
# described once as a preset in CMakePresets.json and built in build/<preset>.
ROOT=$(cd "$(dirname "${BASH_SOURCE[0]}")/../.." && pwd)

# The build folder of a preset.
preset_build() {
  printf '%s/build/%s\n' "$ROOT" "$1"
}
NATIVE_BUILD=$(preset_build native)
LINUX_BUILD=$(preset_build linux)
WIN32_BUILD=$(preset_build win32)
WIN64_BUILD=$(preset_build win64)
# The two Windows targets (presets), in the order the scripts build and test them.
WINDOWS_TARGETS=(win32 win64)

# build_preset <preset> [arguments for `cmake --build`, for example --target X]
build_preset() {
  local preset=$1
  shift
  (cd "$ROOT" && cmake --preset "$preset" >/dev/null && cmake --build --preset "$preset" -j"$(nproc)" "$@")
}

build_native() { build_preset native "$@"; }
build_linux() { build_preset linux "$@"; }
build_win32() { build_preset win32 "$@"; }
build_win64() { build_preset win64 "$@"; }

source "$ROOT/scripts/lib/packages.sh"

# runs_32bit_windows_programs: answers 0 when wine32 can start here: the
# kernel runs 32-bit programs and set-up could install the i386 set.
runs_32bit_windows_programs() {
  runs_32bit_programs && [ -z "$(missing_of "${packages_i386[@]}")" ]
}

# The Windows build the demo and the video render use unless QARN_TARGET
# says otherwise: the 32-bit one, where this machine can run it.
default_windows_target() {
  if runs_32bit_windows_programs; then echo win32; else echo win64; fi
}
