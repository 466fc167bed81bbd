# Sourced by the scripts: configures and builds the two builds of the project.
ROOT=$(cd "$(dirname "${BASH_SOURCE[0]}")/../.." && pwd)
NATIVE_BUILD=$ROOT/build/native
WINDOWS_BUILD=$ROOT/build/windows

# Both take extra arguments for `cmake --build` (for example --target X).
build_native() {
  cmake -S "$ROOT" -B "$NATIVE_BUILD" -G Ninja -DCMAKE_BUILD_TYPE=Debug >/dev/null
  cmake --build "$NATIVE_BUILD" -j"$(nproc)" "$@"
}

build_windows() {
  cmake -S "$ROOT" -B "$WINDOWS_BUILD" -G Ninja -DCMAKE_BUILD_TYPE=Release \
    -DCMAKE_TOOLCHAIN_FILE="$ROOT/cmake/MingwToolchain.cmake" >/dev/null
  cmake --build "$WINDOWS_BUILD" -j"$(nproc)" "$@"
}
