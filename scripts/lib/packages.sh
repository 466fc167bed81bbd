# Sourced by every script that installs packages (setup.sh, and its test):
# what the builds and tests need from Debian, and the one way of asking apt
# for it. A fresh machine and a mirror that is out of step for an hour are
# both normal days; set-up must survive them.
#
# The packages come in two sets. The amd64 set is required: without any of
# it set-up stops. The i386 set (wine32 and Debian's LMMS with its VST server)
# only serves the 32-bit Windows tests and the LMMS checks; it is asked for
# only where this machine can start 32-bit programs, in an apt call of its
# own, and a failure there skips those checks instead of stopping set-up.

packages_amd64=(
  build-essential cmake ninja-build pkg-config
  googletest libgtest-dev libbenchmark-dev
  libgl-dev libglu1-mesa-dev libegl-dev libegl-mesa0 libgl1-mesa-dri libgles-dev
  libx11-dev libxft-dev libfontconfig-dev libxtst-dev libxi-dev
  xvfb xauth x11-utils
  imagemagick fonts-liberation libstb-dev
  clang libclang-rt-14-dev time
  python3 xdotool
  ardour libxres-dev qtractor
  lv2-dev lilv-utils jalv
  ffmpeg fluidsynth fluid-soundfont-gm
  librtmidi-dev libfluidsynth-dev libasound2-dev libjack-jackd2-dev jackd2
  g++-mingw-w64-i686 binutils-mingw-w64-i686 mingw-w64-i686-dev
  g++-mingw-w64-x86-64 binutils-mingw-w64-x86-64 mingw-w64-x86-64-dev
  wine wine64
)
packages_i386=(
  wine32:i386
  libgl1-mesa-dri:i386 libglu1-mesa:i386 libgl1:i386 libglx-mesa0:i386
  libxcomposite1:i386
  lmms:i386 lmms-vst-server:i386
)
# What is lost when the i386 set is missing, for the one line that says so.
i386_skipped_checks="the 32-bit Windows tests (wine32) and the LMMS checks will be skipped"

# Where a failed i386 install is remembered, so that every later script does
# not ask apt again for a set this machine could not take.
i386_skip_marker=${QARN_I386_SKIP_MARKER:-${XDG_CACHE_HOME:-$HOME/.cache}/qarn-viewer/i386-skipped}

# How often and how long to wait before `apt-get update` is tried again.
apt_update_attempts=${QARN_APT_UPDATE_ATTEMPTS:-3}
apt_retry_wait=${QARN_APT_RETRY_WAIT:-10}

# runs_32bit_programs: answers 0 when this machine can start 32-bit x86
# programs. Some kernels have their x86 emulation switched off (exec then
# fails with "Exec format error"), and no 32-bit package tells that before it
# is installed, so we ask the kernel directly: a 96-byte static i386 ELF that
# only exits with status 42 through int 0x80.
runs_32bit_programs() {
  local probe status
  probe=$(mktemp "${TMPDIR:-/tmp}/qarn-i386-probe.XXXXXX") || return 1
  # ELF header (52 bytes), one loadable segment at 0x08048000 (32 bytes), then
  # the code at 0x08048054: mov eax,1; mov ebx,42; int 0x80.
  printf '\177ELF\001\001\001\000\000\000\000\000\000\000\000\000'\
'\002\000\003\000\001\000\000\000\124\200\004\010\064\000\000\000'\
'\000\000\000\000\000\000\000\000\064\000\040\000\001\000\000\000\000\000\000\000'\
'\001\000\000\000\000\000\000\000\000\200\004\010\000\200\004\010'\
'\140\000\000\000\140\000\000\000\005\000\000\000\000\020\000\000'\
'\270\001\000\000\000\273\052\000\000\000\315\200' >"$probe"
  chmod +x "$probe"
  "$probe" 2>/dev/null
  status=$?
  rm -f "$probe"
  [ "$status" -eq 42 ]
}

# packages_for <runs 32-bit: yes|no> <amd64|i386>: the packages of one set
# this machine needs, one per line.
packages_for() {
  case $2 in
    amd64) printf '%s\n' "${packages_amd64[@]}" ;;
    i386) [ "$1" = yes ] && printf '%s\n' "${packages_i386[@]}" ;;
  esac
  return 0
}

# missing_of <package>...: those not installed, one per line.
missing_of() {
  local p
  for p in "$@"; do
    dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed' || printf '%s\n' "$p"
  done
}

as_root() { if [ "$(id -u)" -eq 0 ]; then "$@"; else sudo "$@"; fi; }

# apt_update: refreshes the package indexes, trying again a few times. An
# index that stays broken (a mirror mid-sync) is only a warning: what we need
# may well be installable from the indexes that did update, and the install
# that follows says so precisely if not.
apt_update() {
  local attempt errors
  errors=$(mktemp)
  for ((attempt = 1; attempt <= apt_update_attempts; attempt++)); do
    if as_root apt-get update -qq >/dev/null 2>"$errors"; then
      rm -f "$errors"
      return 0
    fi
    [ "$attempt" -lt "$apt_update_attempts" ] && sleep "$apt_retry_wait"
  done
  echo "setup: warning: apt-get update failed $apt_update_attempts times; going on with the indexes it has:" >&2
  sed 's/^/setup:   /' "$errors" >&2
  rm -f "$errors"
  return 0
}

# apt_install <package>...: installs them in one apt call; on failure keeps
# apt's complaint in $apt_error.
apt_install() {
  apt_error=$(DEBIAN_FRONTEND=noninteractive as_root apt-get install -y -qq --no-install-recommends "$@" 2>&1 >/dev/null)
}

# uninstallable_of <package>...: those apt cannot install on their own, one
# per line; names the culprit when one package fails a whole install.
uninstallable_of() {
  local p
  for p in "$@"; do
    as_root apt-get install -s -qq --no-install-recommends "$p" >/dev/null 2>&1 || printf '%s\n' "$p"
  done
}

# install_needed: installs what this machine lacks; answers 0 when the amd64
# set is there afterwards. Asks nothing of apt when nothing is missing.
install_needed() {
  local runs32=no missing_amd64 missing_i386
  runs_32bit_programs && runs32=yes
  mapfile -t missing_amd64 < <(missing_of $(packages_for "$runs32" amd64))
  mapfile -t missing_i386 < <(missing_of $(packages_for "$runs32" i386))
  if [ ${#missing_i386[@]} -gt 0 ] && [ -e "$i386_skip_marker" ]; then
    echo "setup: i386 packages skipped earlier ($(cat "$i386_skip_marker")); $i386_skipped_checks; delete $i386_skip_marker to try again" >&2
    missing_i386=()
  fi
  [ ${#missing_amd64[@]} -eq 0 ] && [ ${#missing_i386[@]} -eq 0 ] && return 0

  if [ ${#missing_i386[@]} -gt 0 ] && ! dpkg --print-foreign-architectures | grep -qx i386; then
    as_root dpkg --add-architecture i386
  fi
  apt_update

  if [ ${#missing_amd64[@]} -gt 0 ]; then
    echo "setup: installing ${missing_amd64[*]}"
    if ! apt_install "${missing_amd64[@]}"; then
      local culprits
      culprits=$(uninstallable_of "${missing_amd64[@]}" | tr '\n' ' ')
      echo "setup: cannot install required package(s): ${culprits:-${missing_amd64[*]}}" >&2
      printf '%s\n' "$apt_error" | sed 's/^/setup:   /' >&2
      return 1
    fi
  fi
  if [ ${#missing_i386[@]} -gt 0 ]; then
    echo "setup: installing ${missing_i386[*]}"
    if ! apt_install "${missing_i386[@]}"; then
      local reason
      reason=$(printf '%s\n' "$apt_error" | grep -m1 '^E:' || echo "apt failed")
      echo "setup: skipped the i386 packages (${missing_i386[*]}): $reason; $i386_skipped_checks" >&2
      mkdir -p "$(dirname "$i386_skip_marker")" && printf '%s\n' "$reason" >"$i386_skip_marker"
    fi
  fi
  return 0
}
