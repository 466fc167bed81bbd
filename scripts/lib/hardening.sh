# Sourced by the scripts (after lib/builds.sh): the two extra builds of the
# hardening checks. The ThreadSanitizer build holds only the stress tests and
# the plug-in core's tests (practice runs switched under a block in flight);
# the fuzz build (clang) only the libFuzzer targets, whose seed runs are its
# tests (ctest --preset fuzz).
TSAN_BUILD=$(preset_build tsan)
FUZZ_BUILD=$(preset_build fuzz)
FUZZ_TARGETS=(dispatcher process_events midi_file saved_view clap vst3)

build_tsan() { build_preset tsan "$@"; }
build_fuzz() { build_preset fuzz "$@"; }

have_clang() {
  command -v clang++ >/dev/null 2>&1
}
