#!/usr/bin/env bash
# Builds planestat and runs every test: the C++ tests of kernels and workers,
# the deliverables called through our own host, each function called from
# GNU Octave as a user calls it, and the Octave package install. Then the
# host-side tests again under AddressSanitizer and UndefinedBehaviorSanitizer.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/install_deps.sh

jobs=$(nproc)
cmake -S . -B build -DCMAKE_BUILD_TYPE= >/dev/null
cmake --build build -j "$jobs"
(cd build && ctest --output-on-failure -j "$jobs")

cmake -S . -B build-sanitize -DPLANESTAT_SANITIZE=address,undefined >/dev/null
cmake --build build-sanitize -j "$jobs"
(cd build-sanitize && ASAN_OPTIONS=detect_leaks=1 ctest --output-on-failure -j "$jobs")
