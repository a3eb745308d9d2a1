#!/usr/bin/env bash
# Configures and builds Quillory in build/:
#   bash scripts/build.sh            the program, its tests and benchmarks
#   bash scripts/build.sh program    the program alone (no test tools needed)
# Further CMake arguments pass through. QUILLORY_JOBS sets the number of
# parallel build jobs (default: the number of processors).
set -euo pipefail
cd "$(dirname "$0")/.."
source scripts/jobs.sh
programOnly=OFF
if [ "${1:-}" = program ]; then
    programOnly=ON
    shift
fi
echo "== Configuring build/"
cmake -S . -B build -DCMAKE_BUILD_TYPE=RelWithDebInfo -DQUILLORY_PROGRAM_ONLY="$programOnly" "$@"
echo "== Building with $jobs parallel jobs"
cmake --build build -j"$jobs"
