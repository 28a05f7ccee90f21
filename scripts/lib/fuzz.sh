# The fuzzing run of scripts/test: builds the libFuzzer targets in the
# linux-fuzz preset (clang) and runs each for a short fixed time on the
# corpus generated in its build tree (QUILLWAVE_FUZZ_SECONDS, 20 by default),
# so that a regression shows in CI. Sourced after common.sh.

fuzz_packages=(clang libclang-rt-14-dev)

run_fuzzers() {
  ensure_packages "${fuzz_packages[@]}"
  echo "== linux-fuzz: build"
  build_preset linux-fuzz
  echo "== linux-fuzz: fuzz each target"
  (cd "$repo_root" && ctest --preset linux-fuzz -j "$jobs")
}
