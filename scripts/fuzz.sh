#!/usr/bin/env bash
# Builds the libFuzzer targets with clang, AddressSanitizer and
# UndefinedBehaviorSanitizer into build-fuzz/ and runs each for a set time on
# a copy of its seed corpus (fuzz/corpus/<name>), so the committed seeds stay
# as they are. A crash leaves its input in build-fuzz/findings/ and fails.
# Usage: scripts/fuzz.sh [SECONDS_PER_TARGET] [TARGET...]   (default 10 s, all)
set -euo pipefail
cd "$(dirname "$0")/.."
seconds=${1:-10}
shift || true
targets=("$@")
((${#targets[@]})) || targets=(calendar_index calendar_file birth_line cast_line handover)

cmake -S . -B build-fuzz -DCMAKE_BUILD_TYPE=RelWithDebInfo \
  -DCMAKE_CXX_COMPILER=clang++ \
  -DCMAKE_CXX_FLAGS="-fsanitize=fuzzer-no-link,address,undefined -fno-sanitize-recover=undefined -fno-omit-frame-pointer" \
  -DVESPRIN_BUILD_FUZZ=ON -DBUILD_TESTING=OFF -DVESPRIN_BUILD_BENCH=OFF \
  -DVESPRIN_BUILD_CALENDAR_GEN=OFF -DCMAKE_DISABLE_FIND_PACKAGE_Qt6=ON >&2
cmake --build build-fuzz -j"$(nproc 2>/dev/null || echo 2)" \
  --target "${targets[@]/#/fuzz_}" >&2

mkdir -p build-fuzz/findings
status=0
for t in "${targets[@]}"; do
  work=build-fuzz/corpus/$t
  mkdir -p "$work"
  echo "== fuzz_$t for ${seconds}s" >&2
  if ! build-fuzz/fuzz/fuzz_$t "$work" "fuzz/corpus/$t" -max_total_time="$seconds" \
      -artifact_prefix="build-fuzz/findings/$t-" -print_final_stats=1 2> "build-fuzz/fuzz_$t.log"; then
    status=1
    tail -40 "build-fuzz/fuzz_$t.log" >&2
  fi
  grep -E "stat::number_of_executed_units|stat::peak_rss_mb" "build-fuzz/fuzz_$t.log" | sed "s/^/$t /" >&2
done
exit $status
