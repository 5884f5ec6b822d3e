#!/usr/bin/env bash
# The whole test suite under AddressSanitizer and UndefinedBehaviorSanitizer
# (clang), in build-asan/, then each fuzz target for a few seconds on its seed
# corpus. The same tree builds both: its code carries the fuzzers' coverage
# counters, which the tests do not notice. Qt is left out of this tree (the
# targets that need Qt are skipped): the computation is what the sanitizers
# watch, and the font libraries Qt loads report leaks of their own.
# Usage: scripts/sanitize.sh [FUZZ_SECONDS_PER_TARGET]   (default 5)
set -euo pipefail
cd "$(dirname "$0")/.."
fuzz_seconds=${1:-5}
jobs=$(nproc 2>/dev/null || echo 2)
export ASAN_OPTIONS=detect_leaks=1:abort_on_error=1:strict_string_checks=1
export UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1

cmake -S . -B build-asan -DCMAKE_BUILD_TYPE=RelWithDebInfo \
  -DCMAKE_CXX_COMPILER=clang++ \
  -DCMAKE_CXX_FLAGS="-fsanitize=address,undefined,fuzzer-no-link -fno-sanitize-recover=undefined -fno-omit-frame-pointer" \
  -DCMAKE_DISABLE_FIND_PACKAGE_Qt6=ON \
  -DVESPRIN_BUILD_FUZZ=ON -DVESPRIN_BUILD_BENCH=OFF -DVESPRIN_BUILD_CALENDAR_GEN=OFF >&2
cmake --build build-asan -j"$jobs" >&2
ctest --test-dir build-asan --output-on-failure -j"$jobs"

# Fuzz smoke: a copy of each seed corpus, so the committed seeds stay as they are.
status=0 passed=0 failed=0
for t in calendar_index calendar_file birth_line cast_line handover; do
  work=build-asan/fuzz-corpus/$t
  mkdir -p "$work" build-asan/fuzz-findings
  if build-asan/fuzz/fuzz_$t "$work" "fuzz/corpus/$t" -max_total_time="$fuzz_seconds" \
      -artifact_prefix="build-asan/fuzz-findings/$t-" -print_final_stats=1 > "build-asan/fuzz_$t.log" 2>&1; then
    echo "fuzz_$t: $(grep -o 'number_of_executed_units: *[0-9]*' "build-asan/fuzz_$t.log" | grep -o '[0-9]*$') runs, no finding"
    passed=$((passed + 1))
  else
    failed=$((failed + 1))
    echo "fuzz_$t: FINDING" >&2
    tail -40 "build-asan/fuzz_$t.log" >&2
    status=1
  fi
done
echo "fuzz smoke: $passed passed, $failed failed"
exit $status
