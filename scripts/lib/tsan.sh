# The thread stress run of scripts/test: builds the stress tests and both
# modules with ThreadSanitizer (the linux-tsan preset) and runs them, ten
# seconds through each module; any data race fails the run. Sourced after
# common.sh.

run_thread_stress() {
  echo "== linux-tsan: build"
  build_preset linux-tsan
  echo "== linux-tsan: stress"
  (cd "$repo_root" && ctest --preset linux-tsan)
}
