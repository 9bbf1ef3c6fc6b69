#!/usr/bin/env bash
# Builds everything and runs every test: a plain build, then the same tests under
# AddressSanitizer and UndefinedBehaviorSanitizer; between them every fuzz target runs
# briefly. Last, setup.exe is cross-built for Windows and its tests run under Wine.
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

# setup.exe for 64-bit Windows, its tests under Wine; the 32-bit program is built only (no
# 32-bit Wine here).
cmake -S . -B build-win64 -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
  -DCMAKE_TOOLCHAIN_FILE=cmake/toolchains/mingw-w64-x86_64.cmake \
  -DSETUP_LINUX_SETUP="$PWD/build/src/app/setup" >/dev/null
ninja -C build-win64 -j"$jobs" --quiet
# Wine's server is ended however the tests end, so that nothing outlives the run.
trap 'tests/wine/run_in_wine.sh build-win64/wine --stop' EXIT
ctest --test-dir build-win64 -j"$jobs" --output-on-failure
cmake -S . -B build-win32 -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DSETUP_TESTS=OFF \
  -DCMAKE_TOOLCHAIN_FILE=cmake/toolchains/mingw-w64-i686.cmake >/dev/null
ninja -C build-win32 -j"$jobs" --quiet setup
