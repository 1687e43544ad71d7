#!/usr/bin/env bash
# Builds everything from scratch and runs the whole test suite: the normal build with all tests,
# then everything again under AddressSanitizer and UndefinedBehaviorSanitizer (clang) with all tests
# and a short run of every fuzzer.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
jobs=$(nproc)
"$root/scripts/deps.sh"

cmake -S "$root" -B "$root/build" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
cmake --build "$root/build" -j "$jobs"
(cd "$root/build" && ctest -j "$jobs" --output-on-failure)

cmake -S "$root" -B "$root/build-asan" -G Ninja -DCMAKE_BUILD_TYPE=Debug \
  -DCMAKE_C_COMPILER=clang -DCMAKE_CXX_COMPILER=clang++ \
  -DSTATION_SANITIZE=ON -DSTATION_FUZZERS=ON -DSTATION_BENCH=OFF >/dev/null
cmake --build "$root/build-asan" -j "$jobs"
(cd "$root/build-asan" && ASAN_OPTIONS=detect_leaks=1 UBSAN_OPTIONS=print_stacktrace=1 \
  LSAN_OPTIONS=suppressions="$root/tests/lsan.supp" \
  ctest -j "$jobs" --output-on-failure)
