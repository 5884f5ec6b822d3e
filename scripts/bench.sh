#!/usr/bin/env bash
# Builds an optimised (Release) tree in build-release/ and prints
#  - the cast benchmark (bench/cast_bench): calendar load time, casts per second
#    for the computing stages and for the whole cast with its binding to the forms;
#  - whole-process figures of vesprin-cast with the shipped calendar: casts per
#    second on 10,000 births of CE 1900-2100 (best of five runs; one process
#    casting on a thread a processor, at most four), the start time of a run of one line (median of twenty) and the
#    peak memory (resident set) of each;
#  - vesprin-cast against the JavaScript library lunar-javascript 1.7.7 on the
#    same 3,200 births, whole processes run in turns (median of RUNS, default
#    5): the library is installed from the npm registry into a cache folder
#    ($XDG_CACHE_HOME/vesprin-bench, else ~/.cache/vesprin-bench) on the first
#    run, and node and npm from Debian when missing. Target: at least 100 times.
# Usage: scripts/bench.sh [cast_bench arguments]   (needs python3 for the births;
#        VESPRIN_BENCH_RUNS=N for the runs of the comparison)
set -euo pipefail
# Times are read from bash's own clock (EPOCHREALTIME): a `date` process
# started to read the clock would add its own start-up to every run timed.
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
  start=${EPOCHREALTIME//[!0-9]/}000
  /usr/bin/time -f %M -o "$work/rss" "$program" --today 2026-12-09 < "$1" > /dev/null || true
  end=${EPOCHREALTIME//[!0-9]/}000
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

# The same births through lunar-javascript 1.7.7 (bench/lunar_javascript_casts.js:
# four pillars, conception and life palace pillars, ten luck pillars).
if ! command -v node >/dev/null || ! command -v npm >/dev/null; then
  echo "installing: nodejs npm (for the comparison only)" >&2
  sudo=""
  [ "$(id -u)" -eq 0 ] || sudo="sudo"
  $sudo apt-get update -q >&2
  DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -q --no-install-recommends nodejs npm >&2
fi
cache=${XDG_CACHE_HOME:-$HOME/.cache}/vesprin-bench/lunar-javascript-1.7.7
if [[ ! -f $cache/node_modules/lunar-javascript/package.json ]]; then
  mkdir -p "$cache"
  npm install --prefix "$cache" --no-audit --no-fund --no-save lunar-javascript@1.7.7 >&2
fi
version=$(node -p "require('$cache/node_modules/lunar-javascript/package.json').version")
python3 scripts/make_births.py 3200 > "$work/births3200.txt"
wall() {  # wall time of "$@" in microseconds; a failed run stops the script
  local start end
  start=${EPOCHREALTIME//[!0-9]/}000
  "$@" < "$work/births3200.txt" > "$work/out.txt" || { echo "bench: $* failed" >&2; exit 1; }
  end=${EPOCHREALTIME//[!0-9]/}000
  echo $(((end - start) / 1000))
}
runs=${VESPRIN_BENCH_RUNS:-5}
cast_us=() js_us=()
for _ in $(seq "$runs"); do
  cast_us+=("$(wall "$program" --today 2026-12-09)")
  js_us+=("$(wall node bench/lunar_javascript_casts.js "$cache/node_modules")")
done
median() { printf '%s\n' "$@" | sort -n | sed -n "$((($# + 1) / 2))p"; }
cast=$(median "${cast_us[@]}") js=$(median "${js_us[@]}")
ratio10=$((js * 10 / cast))
echo "3200 births, whole processes in turns, medians of $runs: vesprin-cast $((cast / 1000)).$(((cast % 1000) / 100)) ms," \
     "lunar-javascript $version (node $(node --version)) $((js / 1000)) ms:" \
     "vesprin-cast $((ratio10 / 10)).$((ratio10 % 10)) times as fast (target at least 100:" \
     "$( ((js >= 100 * cast)) && echo within target || echo BELOW TARGET)) (load $(cut -d' ' -f1-3 /proc/loadavg 2>/dev/null || echo "?"))"
