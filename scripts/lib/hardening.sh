# Sourced by the scripts (after lib/builds.sh): the two extra builds of the
# hardening checks. The ThreadSanitizer build holds only the stress tests and
# the plug-in core's tests (practice runs switched under a block in flight);
# the fuzz build (clang) only the libFuzzer targets.
TSAN_BUILD=${QARN_TSAN_BUILD:-$ROOT/build/tsan}
FUZZ_BUILD=${QARN_FUZZ_BUILD:-$ROOT/build/fuzz}
FUZZ_TARGETS=(dispatcher process_events midi_file)

build_tsan() {
  cmake -S "$ROOT" -B "$TSAN_BUILD" -G Ninja -DCMAKE_BUILD_TYPE=Debug -DQARN_SANITIZE=OFF \
    -DCMAKE_C_FLAGS=-fsanitize=thread -DCMAKE_CXX_FLAGS=-fsanitize=thread \
    -DCMAKE_EXE_LINKER_FLAGS=-fsanitize=thread >/dev/null
  cmake --build "$TSAN_BUILD" -j"$(nproc)" --target stress_tests plugin_tests
}

have_clang() {
  command -v clang++ >/dev/null 2>&1
}

# AddressSanitizer and UndefinedBehaviorSanitizer everywhere, coverage for
# the fuzzer in every library, libFuzzer's main in the targets.
build_fuzz() {
  CC=clang CXX=clang++ cmake -S "$ROOT" -B "$FUZZ_BUILD" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
    -DQARN_FUZZ=ON -DQARN_SANITIZE=ON \
    -DCMAKE_C_FLAGS=-fsanitize=fuzzer-no-link -DCMAKE_CXX_FLAGS=-fsanitize=fuzzer-no-link >/dev/null
  cmake --build "$FUZZ_BUILD" -j"$(nproc)" --target "${FUZZ_TARGETS[@]/%/_fuzz}"
}

# Runs every fuzz target once over each input of its seed corpus: the targets
# build and the seeds (crashes found earlier among them) still pass.
fuzz_seeds_once() {
  local target status=0
  for target in "${FUZZ_TARGETS[@]}"; do
    if "$FUZZ_BUILD/fuzz/${target}_fuzz" "$ROOT/fuzz/corpus/$target"/* >"$FUZZ_BUILD/${target}-seeds.log" 2>&1; then
      echo "fuzz seeds: $target: $(ls "$ROOT/fuzz/corpus/$target" | wc -l) inputs passed"
    else
      echo "fuzz seeds: $target FAILED"
      tail -40 "$FUZZ_BUILD/${target}-seeds.log"
      status=1
    fi
  done
  return $status
}
