#!/usr/bin/env bash
# Prints the figures of a whole driven run of the engine against the floor of
# its platform, from an optimised tree (build-release/):
#  - vesprin-print: from the two hand-over files (written by make-request
#    before each run, not timed) to the written PDF (--pdf), the shipped
#    calendar and pictures, unattended on the offscreen platform;
#  - empty-letter-pdf (bench/): a Qt Widgets program that writes one empty
#    Letter page to a PDF on the same platform;
# run in turns, each the median wall time of RUNS runs (after two runs that
# warm the caches) and the peak resident set of the largest run, and the ratio
# of the two medians. Targets: the ratio at most 1.5, the peak under 40 MB.
# Then one run on a 300 MB request file, refused by its size: under 1 s and 80 MB.
# Last, 60 chart sheets of vesprin-cast: one run with --pdf-dir (its sheets
# painted on a thread per processor, at most four) against 60 runs with
# --pdf, one birth each (the same 60 births; each the median of three, in
# turns). Target: the one run at least 4 times as fast.
# Usage: scripts/bench-print.sh [RUNS]   (default 20; needs /usr/bin/time, python3)
set -euo pipefail
# Times are read from bash's own clock (EPOCHREALTIME): a `date` process
# started to read the clock would add its own start-up to every run timed.
cd "$(dirname "$0")/.."
runs=${1:-20}
[[ -x /usr/bin/time ]] || { echo "bench-print: /usr/bin/time is missing (Debian package time)" >&2; exit 1; }
cmake -S . -B build-release -DCMAKE_BUILD_TYPE=Release -DBUILD_TESTING=OFF >&2
cmake --build build-release -j"$(nproc 2>/dev/null || echo 2)" \
  --target vesprin-print make-request empty-letter-pdf vesprin-cast >&2

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
export QT_QPA_PLATFORM=offscreen VESPRIN_TODAY=2026-12-09 XDG_CONFIG_HOME=$work/config \
  VESPRIN_DATA_DIR=$PWD/data
unset VESPRIN_DRIVES VESPRIN_SHEET_DUMP
print=$PWD/build-release/app/vesprin-print
request=$PWD/build-release/tools/make-request/make-request
cast=$PWD/build-release/app/vesprin-cast
# Sixty births that all give a sheet (no day its month lacks).
sixty=$(python3 scripts/make_births.py 200 7 | awk '$1 <= 28' | head -60)
floor=$PWD/build-release/bench/empty-letter-pdf
mapfile -t example < <(grep -v '^#' examples/request.args | grep -v '^$')
cd "$work"

# One timed run of "$@": its wall time in microseconds and peak resident set
# in KiB on one line; a failed run stops the script.
timed() {
  local start end
  start=${EPOCHREALTIME//[!0-9]/}000
  /usr/bin/time -f %M -o rss "$@" 2>err || { cat err >&2; echo "bench-print: $* failed" >&2; exit 1; }
  end=${EPOCHREALTIME//[!0-9]/}000
  echo "$(((end - start) / 1000)) $(tail -1 rss)"
}
engine_run() {
  rm -f sheet.pdf
  "$request" "${example[@]}" 2>/dev/null
  timed "$print" --pdf sheet.pdf
  [[ -s sheet.pdf && ! -e VesprinPrint.DAT ]] || { echo "bench-print: no sheet written" >&2; exit 1; }
}
floor_run() {
  rm -f empty.pdf
  timed "$floor" empty.pdf
}

# The two are run in turns, so that both see the same machine: a shared
# machine's speed drifts over a minute by more than the ratio can tell apart.
engine_us=() floor_us=() engine_peak=0 floor_peak=0
for i in $(seq $((runs + 2))); do
  engine=$(engine_run)  # a failed run ends the script here
  floor_line=$(floor_run)
  ((i > 2)) || continue
  read -r us kib <<<"$engine"
  engine_us+=("$us")
  if ((kib > engine_peak)); then engine_peak=$kib; fi
  read -r us kib <<<"$floor_line"
  floor_us+=("$us")
  if ((kib > floor_peak)); then floor_peak=$kib; fi
done
median() { printf '%s\n' "$@" | sort -n | sed -n "$(((runs + 1) / 2))p"; }
print_us=$(median "${engine_us[@]}") print_kib=$engine_peak
floor_us=$(median "${floor_us[@]}") floor_kib=$floor_peak
ms() { printf '%d.%d' $(($1 / 1000)) $((($1 % 1000) / 100)); }
verdict() { (($1)) && echo "within target" || echo "OVER TARGET"; }
echo "runs: $runs (medians of wall time; peak = largest resident set of a run; load $(cut -d' ' -f1-3 /proc/loadavg 2>/dev/null || echo "?"))"
echo "vesprin-print, hand-over files to written PDF: $(ms "$print_us") ms, peak $((print_kib / 1024)) MiB (target < 40: $(verdict $((print_kib < 40 * 1024))))"
echo "empty-letter-pdf, the platform's floor:       $(ms "$floor_us") ms, peak $((floor_kib / 1024)) MiB"
ratio100=$((print_us * 100 / floor_us))
echo "ratio of the run to the floor: $((ratio100 / 100)).$(printf %02d $((ratio100 % 100))) (target at most 1.5: $(verdict $((print_us * 2 <= 3 * floor_us))))"

# A request file of 300 MB (sparse: no disk is used) is refused by its size
# before it is read. Target: under 1 s and 80 MB.
"$request" "${example[@]}" 2>/dev/null
truncate -s 300M VesprinPrint.DAT
start=${EPOCHREALTIME//[!0-9]/}000
status=0
/usr/bin/time -f %M -o rss "$print" --pdf sheet.pdf 2>err || status=$?
end=${EPOCHREALTIME//[!0-9]/}000
grep -q "314572800 bytes" err || { cat err >&2; echo "bench-print: the 300 MB request was not refused by its size" >&2; exit 1; }
big_us=$(((end - start) / 1000)) big_kib=$(tail -1 rss)
echo "vesprin-print, a 300 MB request refused (exit $status): $(ms "$big_us") ms (target < 1000: $(verdict $((big_us < 1000000)))), peak $((big_kib / 1024)) MiB (target < 80: $(verdict $((big_kib < 80 * 1024))))"

# Sixty sheets: one process with --pdf-dir, or a process a sheet with --pdf.
rm -f VesprinPrint.DAT VesprinPrintAnalyze.DAT
printf '%s\n' "$sixty" > sixty.txt
one_run() {
  local start end
  rm -rf sheets
  start=${EPOCHREALTIME//[!0-9]/}000
  "$cast" --pdf-dir sheets < sixty.txt > /dev/null 2>err || { cat err >&2; exit 1; }
  end=${EPOCHREALTIME//[!0-9]/}000
  [[ $(ls sheets | wc -l) -eq 60 ]] || { echo "bench-print: --pdf-dir wrote $(ls sheets | wc -l) sheets" >&2; exit 1; }
  echo $(((end - start) / 1000))
}
single_runs() {
  local start end line
  start=${EPOCHREALTIME//[!0-9]/}000
  while IFS= read -r line; do
    echo "$line" | "$cast" --pdf single.pdf > /dev/null 2>err || { cat err >&2; exit 1; }
  done < sixty.txt
  end=${EPOCHREALTIME//[!0-9]/}000
  echo $(((end - start) / 1000))
}
dir_us=() single_us=()
for _ in 1 2 3; do
  dir_us+=("$(one_run)")
  single_us+=("$(single_runs)")
done
median3() { printf '%s\n' "$@" | sort -n | sed -n 2p; }
dir=$(median3 "${dir_us[@]}") single=$(median3 "${single_us[@]}")
ratio10=$((single * 10 / dir))
echo "60 chart sheets: vesprin-cast --pdf-dir $(ms "$dir") ms ($(ms $((dir / 60))) ms a sheet)," \
     "60 runs of --pdf $(ms "$single") ms ($(ms $((single / 60))) ms a sheet): $((ratio10 / 10)).$((ratio10 % 10))" \
     "times as fast (target at least 4: $(verdict $((single >= 4 * dir)))) (medians of 3;" \
     "$(nproc 2>/dev/null || echo "?") processors, load $(cut -d' ' -f1 /proc/loadavg 2>/dev/null || echo "?"))"
