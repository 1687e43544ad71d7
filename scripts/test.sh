#!/usr/bin/env bash
# Builds everything and runs the whole test suite in two stages: the normal build with all tests,
# then everything again under AddressSanitizer and UndefinedBehaviorSanitizer (clang) with all tests
# and a short run of every fuzzer. Both stages run whatever the first gives; the script fails when
# either failed or ran no test. The stages build in folders of their own, so an earlier configure of
# build/ (by scripts/run.sh) does not change what is tested.
set -uo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
jobs=$(nproc)
"$root/scripts/deps.sh" || exit 1

# Configures, builds and tests one stage; its arguments are the configure options.
stage() {
  local dir=$1
  shift
  cmake -S "$root" -B "$dir" -G Ninja -DSTATION_TESTS=ON "$@" >/dev/null &&
    cmake --build "$dir" -j "$jobs" &&
    (cd "$dir" && ctest -j "$jobs" --output-on-failure --no-tests=error)
}

# The normal stage keeps a picture of every screen at both desktop sizes in build/screens, and
# every PDF the acceptance suite prints in build/prints.
rm -rf "$root/build/screens" "$root/build/prints"
STATION_SCREENS="$root/build/screens" STATION_PRINTS="$root/build/prints" stage "$root/build-tests" -DCMAKE_BUILD_TYPE=RelWithDebInfo \
  -DSTATION_SANITIZE=OFF -DSTATION_FUZZERS=OFF -DSTATION_BENCH=ON
normal=$?

ASAN_OPTIONS=detect_leaks=1 UBSAN_OPTIONS=print_stacktrace=1 LSAN_OPTIONS=suppressions="$root/tests/lsan.supp" \
  stage "$root/build-asan" -DCMAKE_BUILD_TYPE=Debug -DCMAKE_C_COMPILER=clang -DCMAKE_CXX_COMPILER=clang++ \
  -DSTATION_SANITIZE=ON -DSTATION_FUZZERS=ON -DSTATION_BENCH=OFF
sanitized=$?

verdict() { [ "$1" -eq 0 ] && echo passed || echo "FAILED (exit $1)"; }
echo "normal stage: $(verdict $normal)"
echo "sanitizer stage: $(verdict $sanitized)"
[ $normal -eq 0 ] && [ $sanitized -eq 0 ]
