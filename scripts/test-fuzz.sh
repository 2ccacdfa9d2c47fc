#!/usr/bin/env bash
# Builds every libFuzzer target (fuzz/fuzz_*.cpp) with clang into build-fuzz/
# and runs each for FUZZ_SECONDS seconds (10 unless set) on its seed corpus,
# fuzz/corpus/<target without fuzz_>. Fails when a target does not build, or
# a run finds a crash, a leak, undefined behaviour or a broken property
# (zk::fuzz::check aborts). What a run finds goes to a temporary folder, never
# into the committed corpus.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/setup.sh
seconds=${FUZZ_SECONDS:-10}

CC=clang CXX=clang++ cmake -S . -B build-fuzz -DCMAKE_CXX_COMPILER=clang++ -DZENKARTA_FUZZ=ON >/dev/null
cmake --build build-fuzz --target fuzzers -j"$(nproc)"

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
export UBSAN_OPTIONS="print_stacktrace=1:halt_on_error=1"
passed=0
failed=()
for source in fuzz/fuzz_*.cpp; do
  name=$(basename "$source" .cpp)
  corpus=fuzz/corpus/${name#fuzz_}
  if [ ! -x "build-fuzz/fuzz/$name" ] || [ ! -d "$corpus" ]; then
    echo "fuzz: $name has no program or no corpus folder $corpus" >&2
    failed+=("$name")
    continue
  fi
  # The first folder takes what the run finds; the seeds are only read.
  mkdir -p "$work/$name/found"
  if "build-fuzz/fuzz/$name" "$work/$name/found" "$corpus" -max_total_time="$seconds" -timeout=10 \
    -artifact_prefix="$work/$name/" >"$work/$name/log" 2>&1; then
    echo "fuzz: $name: $(grep -Eo 'Done [0-9]+ runs.*' "$work/$name/log" | tail -n 1)"
    passed=$((passed + 1))
  else
    echo "fuzz: $name FAILED; the end of its output:" >&2
    tail -n 30 "$work/$name/log" >&2
    failed+=("$name")
  fi
done
echo "fuzz: $passed passed, ${#failed[@]} failed${failed:+ (${failed[*]})}"
[ ${#failed[@]} -eq 0 ]
