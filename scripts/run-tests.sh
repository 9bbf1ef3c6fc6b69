#!/usr/bin/env bash
# Builds everything and runs every test: a plain build, then the same tests under
# AddressSanitizer and UndefinedBehaviorSanitizer; between them every fuzz target runs
# briefly.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/install-deps.sh
jobs=$(nproc)

cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
ninja -C build -j"$jobs" --quiet
ctest --test-dir build -j"$jobs" --output-on-failure

bash scripts/run-fuzz-smoke.sh

cmake -S . -B build-asan -G Ninja -DCMAKE_BUILD_TYPE=Debug -DSETUP_SANITIZE=ON >/dev/null
ninja -C build-asan -j"$jobs" --quiet
ASAN_OPTIONS=detect_leaks=1 UBSAN_OPTIONS=print_stacktrace=1 \
  ctest --test-dir build-asan -j"$jobs" --output-on-failure
