#!/usr/bin/env bash
# Installs what is missing, builds Quillory with its tests and runs every
# test: the normal build's suite (window tests in an Xvfb server started
# here), the engine's suite under AddressSanitizer and UndefinedBehaviorSanitizer,
# and a bounded fuzzing run. QUILLORY_JOBS sets the number of parallel jobs.
set -euo pipefail
cd "$(dirname "$0")/.."
source scripts/jobs.sh
bash scripts/setup.sh test

echo "== Build"
bash scripts/build.sh

echo "== Tests (under Xvfb)"
xvfb-run -a -s "-screen 0 1280x1024x24 -noreset" \
    ctest --test-dir build --output-on-failure -j"$jobs"

echo "== Engine tests under ASan and UBSan: configuring build-sanitize/"
cmake -S . -B build-sanitize -DCMAKE_BUILD_TYPE=Debug \
    -DQUILLORY_SANITIZE=ON -DQUILLORY_ENGINE_ONLY=ON
cmake --build build-sanitize -j"$jobs"
ASAN_OPTIONS=detect_leaks=1:abort_on_error=1 UBSAN_OPTIONS=halt_on_error=1:print_stacktrace=1 \
    ctest --test-dir build-sanitize --output-on-failure -j"$jobs"

echo "== Benchmark: Generate against its floor, libharu alone (1000 pages)"
build/bench/bench_floor

fuzzSeconds="${QUILLORY_FUZZ_SECONDS:-90}"
echo "== Fuzzing the reader and generation for $fuzzSeconds seconds, silent until it ends" \
    "(set QUILLORY_FUZZ_SECONDS to change it)"
bash scripts/fuzz.sh "$fuzzSeconds"
