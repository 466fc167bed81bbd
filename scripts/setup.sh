#!/usr/bin/env bash
# Installs everything the builds and tests need on a minimal Debian 12.
# Safe to run again: it only asks apt for packages that are missing.
set -euo pipefail

packages_native=(
  build-essential cmake ninja-build pkg-config
  googletest libgtest-dev libbenchmark-dev
  libgl-dev libglu1-mesa-dev libegl-dev libegl-mesa0 libgl1-mesa-dri libgles-dev
  xvfb xauth x11-utils
  imagemagick fonts-liberation libstb-dev
  clang libclang-rt-14-dev time
  python3 xdotool
  ffmpeg fluidsynth fluid-soundfont-gm
)
packages_windows=(
  g++-mingw-w64-i686 binutils-mingw-w64-i686 mingw-w64-i686-dev
  g++-mingw-w64-x86-64 binutils-mingw-w64-x86-64 mingw-w64-x86-64-dev
  wine wine32:i386 wine64
  libgl1-mesa-dri:i386 libglu1-mesa:i386 libgl1:i386 libglx-mesa0:i386
  libxcomposite1:i386
  lmms:i386 lmms-vst-server:i386
  # scripts/bench-report.sh on machines that cannot run 32-bit programs
  g++-mingw-w64-x86-64 binutils-mingw-w64-x86-64 mingw-w64-x86-64-dev wine64
)

missing=()
for p in "${packages_native[@]}" "${packages_windows[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed' || missing+=("$p")
done
[ ${#missing[@]} -eq 0 ] && exit 0

as_root() { if [ "$(id -u)" -eq 0 ]; then "$@"; else sudo "$@"; fi; }

dpkg --print-foreign-architectures | grep -qx i386 || as_root dpkg --add-architecture i386
echo "setup: installing ${missing[*]}"
as_root apt-get update -qq
DEBIAN_FRONTEND=noninteractive as_root apt-get install -y -qq --no-install-recommends "${missing[@]}" >/dev/null
