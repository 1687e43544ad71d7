#!/usr/bin/env bash
# Runs every fuzzer (or the ones named) for a given time under AddressSanitizer and
# UndefinedBehaviorSanitizer, starting from the corpus kept in the repository (fuzz/corpus/<name>),
# and merges the inputs that reach new code back into it. Prints each fuzzer's executions a second,
# coverage and crashes; ends with a failure when any fuzzer found a crash.
#
#   scripts/fuzz.sh [-t seconds] [-j parallel] [name...]
#     -t  seconds each fuzzer runs (default 600)
#     -j  fuzzers run side by side (default 2)
# Crashing inputs go to build-asan/fuzz-artifacts/; the build tree is build-asan (STATION_FUZZ_BUILD).
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
seconds=600
parallel=2
while getopts "t:j:" option; do
  case $option in
    t) seconds=$OPTARG ;;
    j) parallel=$OPTARG ;;
    *) sed -n '2,10p' "$0"; exit 2 ;;
  esac
done
shift $((OPTIND - 1))
build=${STATION_FUZZ_BUILD:-$root/build-asan}

"$root/scripts/deps.sh"
cmake -S "$root" -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Debug \
  -DCMAKE_C_COMPILER=clang -DCMAKE_CXX_COMPILER=clang++ \
  -DSTATION_SANITIZE=ON -DSTATION_FUZZERS=ON -DSTATION_BENCH=OFF >/dev/null
# Every fuzzer target, as the build knows them.
mapfile -t all < <(ninja -C "$build" -t targets all | sed -n 's/^\([a-z0-9_]*_fuzzer\): .*/\1/p' | grep -v '^cmake_' | sort -u)
names=("$@")
[ ${#names[@]} -eq 0 ] && names=("${all[@]}")
cmake --build "$build" -j "$(nproc)" --target "${names[@]}"

runs=$build/fuzz-runs
artifacts=$build/fuzz-artifacts
mkdir -p "$runs" "$artifacts"

# One fuzzer: a run from the repository's corpus into a fresh work folder, then a merge of what
# reaches new code back into the repository's corpus.
fuzz_one() {
  local name=$1 binary corpus work log
  binary=$(find "$build/fuzz" -type f -name "$name" -perm -u+x | head -n 1)
  corpus=$root/fuzz/corpus/$name
  work=$runs/$name-new
  log=$runs/$name.log
  mkdir -p "$corpus"
  rm -rf "$work" && mkdir -p "$work"
  local status=0
  ASAN_OPTIONS=detect_leaks=1 UBSAN_OPTIONS=print_stacktrace=1 \
    LSAN_OPTIONS=suppressions="$root/tests/lsan.supp" \
    "$binary" -max_total_time="$seconds" -timeout=10 -rss_limit_mb=2048 -print_final_stats=1 \
    -artifact_prefix="$artifacts/$name-" "$work" "$corpus" >"$log" 2>&1 || status=$?
  "$binary" -merge=1 "$corpus" "$work" >"$runs/$name.merge.log" 2>&1 || true
  echo "$status" >"$runs/$name.status"
}
export -f fuzz_one
export build root seconds runs artifacts

echo "Fuzzing ${#names[@]} fuzzers for $seconds s each, $parallel at a time"
printf '%s\n' "${names[@]}" | xargs -P "$parallel" -I{} bash -c 'fuzz_one {}'

failed=0
printf '%-30s %10s %10s %8s %8s %s\n' fuzzer executions exec/s cov ft result
for name in "${names[@]}"; do
  log=$runs/$name.log
  executed=$(sed -n 's/^stat::number_of_executed_units: *//p' "$log" | tail -n 1)
  rate=$(sed -n 's/^stat::average_exec_per_sec: *//p' "$log" | tail -n 1)
  cov=$(grep -Eo 'cov: [0-9]+' "$log" | tail -n 1 | cut -d' ' -f2)
  ft=$(grep -Eo 'ft: [0-9]+' "$log" | tail -n 1 | cut -d' ' -f2)
  result=ok
  if [ "$(cat "$runs/$name.status")" != 0 ]; then
    result="CRASH (see $log)"
    failed=1
  fi
  printf '%-30s %10s %10s %8s %8s %s\n' "$name" "${executed:-?}" "${rate:-?}" "${cov:-?}" "${ft:-?}" "$result"
done
exit $failed
