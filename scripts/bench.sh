#!/usr/bin/env bash
# Builds an optimised (Release) tree in build-release/ and prints
#  - the cast benchmark (bench/cast_bench): calendar load time, casts per second
#    for the computing stages and for the whole cast with its binding to the forms;
#  - whole-process figures of vesprin-cast with the shipped calendar: casts per
#    second on 10,000 births of CE 1900-2100 (best of five runs; one process,
#    one core), the start time of a run of one line (median of twenty) and the
#    peak memory (resident set) of each.
# Usage: scripts/bench.sh [cast_bench arguments]   (needs python3 for the births)
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/setup.sh
cmake -S . -B build-release -DCMAKE_BUILD_TYPE=Release -DBUILD_TESTING=OFF >&2
cmake --build build-release -j"$(nproc 2>/dev/null || echo 2)" --target cast_bench vesprin-cast >&2
build-release/bench/cast_bench "$@"
# The chart sheet to PDF and the preview's first page (built when Qt 6 is found).
if cmake --build build-release -j"$(nproc 2>/dev/null || echo 2)" --target sheet_bench >&2 2>/dev/null; then
  build-release/bench/sheet_bench "$@"
fi

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
python3 scripts/make_births.py 10000 > "$work/births.txt"
head -1 "$work/births.txt" > "$work/one.txt"
program=build-release/app/vesprin-cast
# Wall time of one run in microseconds, and its peak resident set in KiB.
run() {
  local start end
  start=$(date +%s%N)
  /usr/bin/time -f %M -o "$work/rss" "$program" --today 2026-12-09 < "$1" > /dev/null || true
  end=$(date +%s%N)
  echo "$(((end - start) / 1000)) $(cat "$work/rss")"
}
best=0 rss_many=0
for _ in 1 2 3 4 5; do
  read -r us kib < <(run "$work/births.txt")
  if ((best == 0 || us < best)); then best=$us; fi
  rss_many=$kib
done
starts=() rss_one=0
for _ in $(seq 20); do
  read -r us kib < <(run "$work/one.txt")
  starts+=("$us")
  rss_one=$kib
done
median=$(printf '%s\n' "${starts[@]}" | sort -n | sed -n 10p)
lines=$(wc -l < "$work/births.txt")
echo "vesprin-cast, $lines births of CE 1900-2100: $((lines * 1000000 / best)) casts per second" \
     "($((best / 1000)) ms for the run), peak memory $((rss_many / 1024)) MiB ($rss_many KiB)"
echo "vesprin-cast, one birth: start to end $((median / 1000)).$(((median % 1000) / 100)) ms," \
     "peak memory $((rss_one / 1024)) MiB ($rss_one KiB)"
