#!/usr/bin/env bash
# Builds planestat and runs the demo in GNU Octave.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/install_deps.sh --demo
cmake -S . -B build -DPLANESTAT_TESTS=OFF >/dev/null
cmake --build build -j "$(nproc)"
# Octave 7 prints "ignoring const execution_exception& while preparing to exit"
# at exit whenever any error was raised and caught during the session (here,
# inside its image reader); the line says nothing about the demo, so it is dropped.
octave-cli --no-gui --norc --quiet --eval "addpath('build/mex'); addpath('demo'); planestat_demo" \
  2> >(grep -v "ignoring const execution_exception& while preparing to exit" >&2)
