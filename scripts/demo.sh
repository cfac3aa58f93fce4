#!/usr/bin/env bash
# Builds planestat and runs the demo in GNU Octave.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/install_deps.sh --demo
cmake -S . -B build -DPLANESTAT_TESTS=OFF >/dev/null
cmake --build build -j "$(nproc)"
octave-cli --no-gui --norc --quiet --eval "addpath('build/mex'); addpath('demo'); planestat_demo"
