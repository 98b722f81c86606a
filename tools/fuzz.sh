#!/usr/bin/env bash
# Builds the libFuzzer targets with clang and runs each for SECONDS (default 20) from the
# seed corpus that quillet-make-seeds writes; findings are kept in build-fuzz/findings.
#   bash tools/fuzz.sh [SECONDS]
set -euo pipefail
cd "$(dirname "$0")/.."
seconds=${1:-20}
if ! command -v clang++ >/dev/null; then
  echo "fuzz: clang++ is not installed; the fuzz run is skipped"
  exit 0
fi

CXX=clang++ cmake -S . -B build-fuzz -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
  -DQUILLET_FUZZ=ON -DBUILD_TESTING=OFF -DQUILLET_BENCHMARKS=OFF >/dev/null
targets=(fuzz_t4_file fuzz_payroll fuzz_amounts fuzz_csv)
cmake --build build-fuzz -j "$(nproc)" --target "${targets[@]}" quillet-make-seeds sample_file

# Files are written (and synced) for every input: in memory where the machine has it.
[ -d /dev/shm ] && [ -w /dev/shm ] && export TMPDIR=/dev/shm

seeds=build-fuzz/seeds
rm -rf "$seeds"
build-fuzz/fuzz/quillet-make-seeds "$seeds" build-fuzz/sample/SAMPLE.T4E
mkdir -p build-fuzz/findings
for target in "${targets[@]}"; do
  corpus=build-fuzz/corpus/${target#fuzz_}
  mkdir -p "$corpus"
  echo "fuzz: $target for $seconds s"
  log=build-fuzz/findings/$target.log
  if ! ASAN_OPTIONS=detect_leaks=0:abort_on_error=1 UBSAN_OPTIONS=print_stacktrace=1 \
      "build-fuzz/fuzz/$target" -max_total_time="$seconds" -timeout=10 -rss_limit_mb=4096 \
      -print_final_stats=1 -artifact_prefix=build-fuzz/findings/ \
      "$corpus" "$seeds/${target#fuzz_}" >"$log" 2>&1; then
    tail -n 60 "$log"
    echo "fuzz: $target found a fault; the input is in build-fuzz/findings"
    exit 1
  fi
  grep -E '^stat::number_of_executed_units|^Done' "$log" || true
done
