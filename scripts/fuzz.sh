#!/usr/bin/env bash
# Builds the libFuzzer target with clang and runs it for a bounded time.
#   bash scripts/fuzz.sh [seconds]      (default 90; a long run: bash scripts/fuzz.sh 3600)
# Any crash, hang or sanitizer report stops the run with a failure and leaves
# the input in build-fuzz/artifacts/. QUILLORY_JOBS sets the build jobs.
set -euo pipefail
cd "$(dirname "$0")/.."
source scripts/jobs.sh
seconds="${1:-90}"

echo "== Configuring and building the fuzz target in build-fuzz/"
CC=clang CXX=clang++ cmake -S . -B build-fuzz -DCMAKE_BUILD_TYPE=RelWithDebInfo \
    -DQUILLORY_FUZZ=ON -DQUILLORY_ENGINE_ONLY=ON \
    -DCMAKE_CXX_FLAGS="-fsanitize=fuzzer-no-link,address,undefined -fno-sanitize-recover=all" \
    -DCMAKE_EXE_LINKER_FLAGS="-fsanitize=address,undefined" >/dev/null
cmake --build build-fuzz --target fuzz_album -j"$jobs"

corpus=build-fuzz/corpus
mkdir -p "$corpus" build-fuzz/artifacts
cp -n fuzz/seeds/* "$corpus"/ 2>/dev/null || true
cp -n examples/*.txt "$corpus"/ 2>/dev/null || true
cp -n fuzz/regressions/* "$corpus"/ 2>/dev/null || true

scratch=build-fuzz/tmp
mkdir -p "$scratch"
log=build-fuzz/fuzz.log
status=0
TMPDIR="$PWD/$scratch" ASAN_OPTIONS=detect_leaks=1 UBSAN_OPTIONS=halt_on_error=1:print_stacktrace=1 \
    build-fuzz/fuzz/fuzz_album "$corpus" \
    -dict=fuzz/album.dict -max_total_time="$seconds" -timeout=10 -rss_limit_mb=2048 \
    -max_len=16384 -artifact_prefix=build-fuzz/artifacts/ -print_final_stats=1 >"$log" 2>&1 || status=$?
rm -f "$scratch"/quillory-fuzz-*.pdf
grep -E '^(INFO: seed corpus|Done [0-9]+ runs|stat::number_of_executed_units)' "$log" || true
if [ "$status" -ne 0 ]; then
    echo "The fuzzer stopped with status $status:"
    tail -n 60 "$log"
    exit "$status"
fi
echo "Fuzzing: no crash, hang or sanitizer report."
