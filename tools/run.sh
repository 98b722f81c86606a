#!/usr/bin/env bash
# Sets up a fresh machine, builds the desktop program and starts it on the sample file.
set -euo pipefail
cd "$(dirname "$0")/.."
# Said before minutes of building: the desktop program needs a display.
if [ -z "${DISPLAY:-}" ] && [ -z "${WAYLAND_DISPLAY:-}" ] && [ -z "${QT_QPA_PLATFORM:-}" ]; then
  cat >&2 <<'MSG'
run.sh: the desktop program needs a display, and this shell has none (DISPLAY is not set).
Start it from a desktop session, or through a virtual X server:
  xvfb-run -a -s "-screen 0 1280x800x24" bash tools/run.sh
(Debian's package xvfb.) The test suite needs no display: bash tools/test.sh
MSG
  exit 2
fi
bash tools/setup-debian.sh
cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo
cmake --build build -j "$(nproc)" --target quillet quillet-cli sample_file
exec build/src/quillet build/sample/SAMPLE.T4E
