#!/usr/bin/env bash
# Sets up a fresh machine, builds the desktop program and starts it on the sample file.
set -euo pipefail
cd "$(dirname "$0")/.."
bash tools/setup-debian.sh
cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo
cmake --build build -j "$(nproc)" --target quillet quillet-cli sample_file
exec build/src/quillet build/sample/SAMPLE.T4E
