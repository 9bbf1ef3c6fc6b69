#!/usr/bin/env bash
# Builds every fuzz target with clang (libFuzzer, ASan, UBSan) and runs each one briefly
# from a fixed seed, so the run is repeatable. Longer campaigns: run a target by hand with
# -max_total_time=N and a corpus directory.
set -euo pipefail
cd "$(dirname "$0")/.."
runs=${FUZZ_RUNS:-30000}
CC=clang CXX=clang++ cmake -S . -B build-fuzz -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
  -DSETUP_FUZZ=ON -DSETUP_TESTS=OFF -DSETUP_QT=OFF >/dev/null
targets=$(ls fuzz/*_fuzz.cpp | xargs -n1 basename | sed 's/\.cpp$//')
# shellcheck disable=SC2086
ninja -C build-fuzz -j"$(nproc)" --quiet $targets
passed=0
failed=0
for target in $targets; do
  if build-fuzz/fuzz/"$target" -seed=1 -runs="$runs" -max_len=65536 -rss_limit_mb=2048 \
      >build-fuzz/"$target".log 2>&1; then
    passed=$((passed + 1))
  else
    failed=$((failed + 1))
    echo "fuzz target $target failed; its output:"
    tail -n 40 build-fuzz/"$target".log
  fi
done
echo "fuzz: $passed passed, $failed failed"
[ "$failed" -eq 0 ]
