#!/usr/bin/env bash
# The client book at the size of a busy practice, in an optimised tree
# (build-release/):
#  - book_bench: a generated book of 100,000 clients, the time to open the
#    desk on it (target under 1 s), and search as one types in the desk's
#    client list (each keystroke's wall time, best of three, and its processor
#    time; target under 20 ms), with the same searches in SQL as vesprin-book
#    makes them;
#  - vesprin-book print --all of COUNT generated clients (default 100; 1000 for
#    the figure of the issue) to PDFs, in sheets per second.
# Usage: scripts/bench-book.sh [COUNT]
set -euo pipefail
cd "$(dirname "$0")/.."
count=${1:-100}
scripts/setup.sh
cmake -S . -B build-release -DCMAKE_BUILD_TYPE=Release -DBUILD_TESTING=OFF >&2
cmake --build build-release -j"$(nproc 2>/dev/null || echo 2)" --target book_bench vesprin-book vesprin-book-print >&2
build-release/bench/book_bench

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
build-release/bench/book_bench --make "$work/book.sqlite" "$count"
start=${EPOCHREALTIME//[!0-9]/}000
QT_QPA_PLATFORM=offscreen build-release/tools/vesprin-book/vesprin-book --book "$work/book.sqlite" \
  print --all --pdf-dir "$work/sheets" 2>/dev/null
end=${EPOCHREALTIME//[!0-9]/}000
written=$(find "$work/sheets" -name '*.pdf' | wc -l)
ms=$(((end - start) / 1000000))
echo "print --all: $written chart sheets to PDFs in $ms ms: $(awk -v n="$written" -v ms="$ms" 'BEGIN { printf "%.1f", n * 1000 / ms }') sheets per second"
