#!/usr/bin/env bash
# Sets up a fresh machine, then builds and runs the whole test suite twice: in an
# ordinary build and under AddressSanitizer and UndefinedBehaviorSanitizer; then each
# libFuzzer target for a short, fixed time.
set -euo pipefail
cd "$(dirname "$0")/.."
bash tools/setup-debian.sh

# The recordings are compared, never rewritten, by the suite that CI and the README run.
unset QUILLET_UPDATE_GOLDEN
jobs=$(nproc)
cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DBUILD_TESTING=ON
cmake --build build -j "$jobs"
(cd build && ctest --output-on-failure -j "$jobs")

cmake -S . -B build-asan -G Ninja -DCMAKE_BUILD_TYPE=Debug -DBUILD_TESTING=ON -DQUILLET_SANITIZE=ON
cmake --build build-asan -j "$jobs"
(cd build-asan && ASAN_OPTIONS=detect_leaks=1:abort_on_error=1 UBSAN_OPTIONS=print_stacktrace=1 \
   ctest --output-on-failure -j "$jobs")

bash tools/fuzz.sh 20
