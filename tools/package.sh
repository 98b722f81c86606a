#!/usr/bin/env bash
# Makes the Debian package of the programs (quillet_VERSION_ARCH.deb in build-package/) with
# CPack, from a Release build of its own.
set -euo pipefail
cd "$(dirname "$0")/.."
bash tools/setup-debian.sh
cmake -S . -B build-package -G Ninja -DCMAKE_BUILD_TYPE=Release -DBUILD_TESTING=OFF \
  -DQUILLET_BENCHMARKS=OFF -DCMAKE_INSTALL_PREFIX=/usr
cmake --build build-package -j "$(nproc)"
(cd build-package && cpack -G DEB)
ls build-package/quillet_*.deb
