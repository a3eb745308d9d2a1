#!/usr/bin/env bash
# Installs what is missing, builds Quillory and runs every test: the normal
# build's suite (window tests in an Xvfb server started here), then the
# engine's suite under AddressSanitizer and UndefinedBehaviorSanitizer.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/setup.sh

echo "== Build"
bash scripts/build.sh

echo "== Tests (under Xvfb)"
xvfb-run -a -s "-screen 0 1280x1024x24 -noreset" \
    ctest --test-dir build --output-on-failure -j"$(nproc)"

echo "== Engine tests under ASan and UBSan"
cmake -S . -B build-sanitize -DCMAKE_BUILD_TYPE=Debug \
    -DQUILLORY_SANITIZE=ON -DQUILLORY_ENGINE_ONLY=ON >/dev/null
cmake --build build-sanitize -j"$(nproc)"
ASAN_OPTIONS=detect_leaks=1:abort_on_error=1 UBSAN_OPTIONS=halt_on_error=1:print_stacktrace=1 \
    ctest --test-dir build-sanitize --output-on-failure -j"$(nproc)"

echo "== Fuzzing the reader and generation (bounded)"
bash scripts/fuzz.sh "${QUILLORY_FUZZ_SECONDS:-90}"
