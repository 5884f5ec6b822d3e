#!/usr/bin/env bash
# Compares two vesprin-cast binaries byte for byte on reproducible births of
# CE 1900-2100 (scripts/make_births.py) and on the golden births, with the
# shipped calendar. Used when vesprin-cast is reworked: its output must not move.
# With --without-key KEY the new binary's top-level KEY is taken out of each
# of its lines first (a key added on purpose; every other byte must stay).
# Usage: scripts/compare-cast.sh [--without-key KEY] OLD_BINARY NEW_BINARY [COUNT]
set -euo pipefail
cd "$(dirname "$0")/.."
drop=
if [ "${1:-}" = --without-key ]; then drop=$2; shift 2; fi
old=$1 new=$2 count=${3:-10000}
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
python3 scripts/make_births.py "$count" > "$work/births.txt"
cat tests/golden/*/births.txt >> "$work/births.txt"
status=0
for today in 2026-12-09 2530-06-01; do
  for bin in old new; do
    set +e
    "${!bin}" --today "$today" < "$work/births.txt" > "$work/$bin.jsonl"
    echo $? > "$work/$bin.status"
    "${!bin}" --data-dir tests/fixtures/cal1987 --today "$today" < "$work/births.txt" > "$work/$bin.fixture.jsonl"
    echo $? >> "$work/$bin.status"
    set -e
  done
  if [ -n "$drop" ]; then
    for f in jsonl fixture.jsonl; do
      python3 scripts/drop_json_key.py "$drop" < "$work/new.$f" > "$work/new.$f.dropped"
      mv "$work/new.$f.dropped" "$work/new.$f"
    done
  fi
  for f in jsonl fixture.jsonl status; do
    if ! cmp -s "$work/old.$f" "$work/new.$f"; then
      echo "differ (today $today): $f" >&2
      diff <(head -c 100000 "$work/old.$f") <(head -c 100000 "$work/new.$f") | head -5 >&2
      status=1
    fi
  done
done
lines=$(wc -l < "$work/births.txt")
[ $status -eq 0 ] && echo "identical on $lines births, two calendars, two dates"
exit $status
