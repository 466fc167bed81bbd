#!/usr/bin/env bash
# Checks how set-up decides what to ask of apt, with stand-ins for apt-get,
# dpkg and dpkg-query on the PATH: no root, no network. Each case starts from
# a machine state (what is installed, which packages apt cannot install, how
# often the index update fails) and checks the calls apt received and the
# answer set-up gave.
set -uo pipefail
root=$(cd "$(dirname "$0")/../.." && pwd)
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
failures=0

fail() { echo "FAIL: $case_name: $*"; failures=$((failures + 1)); }

mkdir -p "$work/bin"
# dpkg-query -W -f=... PACKAGE: installed when listed in $work/installed.
cat >"$work/bin/dpkg-query" <<'STUB'
#!/usr/bin/env bash
grep -qxF "${!#}" "$STUB_STATE/installed" && printf 'install ok installed'
STUB
cat >"$work/bin/dpkg" <<'STUB'
#!/usr/bin/env bash
echo "dpkg $*" >>"$STUB_STATE/calls"
[ "$1" = --print-foreign-architectures ] && cat "$STUB_STATE/architectures" 2>/dev/null
exit 0
STUB
# apt-get update fails while $work/update-failures counts down; install fails
# when it is asked for a package listed in $work/broken, and otherwise marks
# its packages installed (unless it only simulates, -s).
cat >"$work/bin/apt-get" <<'STUB'
#!/usr/bin/env bash
echo "apt-get $*" >>"$STUB_STATE/calls"
if [ "$1" = update ]; then
  left=$(cat "$STUB_STATE/update-failures")
  [ "$left" -gt 0 ] || exit 0
  echo $((left - 1)) >"$STUB_STATE/update-failures"
  echo "E: Failed to fetch .../binary-i386/Packages.xz  File has unexpected size. Mirror sync in progress?" >&2
  exit 100
fi
packages=()
for arg in "$@"; do case $arg in install|-*) ;; *) packages+=("$arg") ;; esac; done
for p in "${packages[@]}"; do
  if grep -qxF "$p" "$STUB_STATE/broken"; then
    echo "E: Package '$p' has no installation candidate" >&2
    exit 100
  fi
done
[[ " $* " == *" -s "* ]] || printf '%s\n' "${packages[@]}" >>"$STUB_STATE/installed"
STUB
printf '#!/bin/sh\nexec "$@"\n' >"$work/bin/sudo"
chmod +x "$work/bin/"*

# machine <runs 32-bit: yes|no> <update failures>: a fresh machine state with
# nothing installed and nothing broken.
machine() {
  export STUB_STATE=$work/state-$case_name
  mkdir -p "$STUB_STATE"
  : >"$STUB_STATE/installed"; : >"$STUB_STATE/broken"; : >"$STUB_STATE/calls"
  echo "$2" >"$STUB_STATE/update-failures"
  runs32=$1
}

# setup_run: runs the install as setup.sh does, with the stand-ins, the
# machine's 32-bit answer and no waits; keeps its output in $out and its exit
# status in $status.
setup_run() {
  out=$(PATH="$work/bin:$PATH" QARN_APT_RETRY_WAIT=0 QARN_I386_SKIP_MARKER="$STUB_STATE/marker" \
    bash -c 'source "$1/scripts/lib/packages.sh"
             machine_runs_32bit=$2
             runs_32bit_programs() { [ "$machine_runs_32bit" = yes ]; }
             install_needed' _ "$root" "$runs32" 2>&1)
  status=$?
}

calls_matching() { grep -c -- "$1" "$STUB_STATE/calls"; }
source "$root/scripts/lib/packages.sh"

case_name="package lists"
packages_for no amd64 | grep -q ':i386' && fail "the amd64 set names an i386 package"
[ -z "$(packages_for no i386)" ] || fail "i386 packages asked for where 32-bit programs cannot run"
packages_for yes i386 | grep -qx 'wine32:i386' || fail "wine32 missing from the i386 set"
[ "$(packages_for yes amd64)" = "$(packages_for no amd64)" ] || fail "the amd64 set depends on the 32-bit answer"

case_name="nothing missing"
machine yes 0
packages_for yes amd64 >"$STUB_STATE/installed"; packages_for yes i386 >>"$STUB_STATE/installed"
setup_run
[ "$status" -eq 0 ] || fail "exit $status"
[ -s "$STUB_STATE/calls" ] && fail "apt or dpkg was asked: $(cat "$STUB_STATE/calls")"

case_name="no 32-bit"
machine no 0
setup_run
[ "$status" -eq 0 ] || fail "exit $status: $out"
[ "$(calls_matching 'add-architecture')" -eq 0 ] || fail "the i386 architecture was added"
[ "$(calls_matching ':i386')" -eq 0 ] || fail "an i386 package was asked for"
[ "$(calls_matching 'install.*wine64')" -eq 1 ] || fail "the amd64 set was not installed"

case_name="32-bit runs"
machine yes 0
setup_run
[ "$status" -eq 0 ] || fail "exit $status: $out"
[ "$(calls_matching 'add-architecture i386')" -eq 1 ] || fail "the i386 architecture was not added"
installs=$(grep 'apt-get install' "$STUB_STATE/calls")
[ "$(echo "$installs" | wc -l)" -eq 2 ] || fail "expected two install calls: $installs"
echo "$installs" | head -1 | grep -q ':i386' && fail "the first install mixes in i386 packages"
echo "$installs" | tail -1 | grep -q 'wine32:i386' || fail "the second install is not the i386 set"

case_name="i386 set uninstallable"
machine yes 0
echo 'lmms:i386' >"$STUB_STATE/broken"
setup_run
[ "$status" -eq 0 ] || fail "an i386 failure stopped set-up: $out"
[ "$(grep -c 'skipped the i386 packages' <<<"$out")" -eq 1 ] || fail "no single line says what was skipped: $out"
grep 'skipped the i386' <<<"$out" | grep -q 'LMMS checks will be skipped' || fail "the line does not say which tests are skipped"
grep -qx 'wine64' "$STUB_STATE/installed" || fail "the amd64 set was not installed"
: >"$STUB_STATE/calls"
setup_run
[ "$status" -eq 0 ] && [ ! -s "$STUB_STATE/calls" ] || fail "a later run asked apt again: $(cat "$STUB_STATE/calls")"

case_name="update retried"
machine no 2
setup_run
[ "$status" -eq 0 ] || fail "exit $status: $out"
[ "$(calls_matching 'apt-get update')" -eq 3 ] || fail "update was not tried again until it worked"
grep -q warning <<<"$out" && fail "a warning after the update succeeded: $out"

case_name="update never succeeds"
machine no 99
setup_run
[ "$status" -eq 0 ] || fail "a broken index stopped set-up although everything installs: $out"
grep -q 'warning: apt-get update failed' <<<"$out" || fail "no warning: $out"
grep -q 'Mirror sync in progress' <<<"$out" || fail "the warning hides apt's reason: $out"

case_name="required package missing"
machine no 0
echo 'ffmpeg' >"$STUB_STATE/broken"
setup_run
[ "$status" -ne 0 ] || fail "set-up went on without a required package"
grep -q 'cannot install required package(s): ffmpeg' <<<"$out" || fail "the package is not named: $out"
grep -q "has no installation candidate" <<<"$out" || fail "apt's error is not shown: $out"

case_name="the kernel probe"
before=$(ls "${TMPDIR:-/tmp}" | grep -c qarn-i386-probe)
runs_32bit_programs
answer=$?
[ "$answer" -le 1 ] || fail "answered $answer"
[ "$(ls "${TMPDIR:-/tmp}" | grep -c qarn-i386-probe)" -eq "$before" ] || fail "the probe was left behind"

[ "$failures" -eq 0 ] && echo "setup tests: all passed"
exit $((failures > 0))
