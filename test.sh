#!/usr/bin/env bash
# Builds and runs the whole test suite:
#   build/       the program and every test (unit, headless, end-to-end on Xvfb)
#   build-asan/  the same under AddressSanitizer and UndefinedBehaviorSanitizer,
#                running the headless suite
#   fuzzers      every binary-data parser for a bounded time (QV_FUZZ_SECONDS, default 30)
set -euo pipefail
cd "$(dirname "$0")"
source scripts/packages.sh
qv_ensure_packages "${QV_BUILD_PACKAGES[@]}" "${QV_TEST_PACKAGES[@]}"

jobs=$(nproc)

echo "== build and test (build/)"
cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
cmake --build build
ctest --test-dir build --output-on-failure -j "$jobs"

echo "== sanitizer build and headless tests (build-asan/)"
cmake -S . -B build-asan -G Ninja -DCMAKE_BUILD_TYPE=Debug -DQV_SANITIZE=ON >/dev/null
cmake --build build-asan
ASAN_OPTIONS=detect_leaks=1:abort_on_error=1 UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1 \
  ctest --test-dir build-asan --output-on-failure -j "$jobs" -LE e2e

echo "== fuzzing"
fuzz/run.sh "${QV_FUZZ_SECONDS:-30}"

echo "All tests passed."
