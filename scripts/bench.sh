#!/usr/bin/env bash
# Builds an optimised (Release) tree in build-release/ and prints the cast
# benchmark: calendar load time, casts per second for the computing stages and
# for the whole cast with its binding to the forms.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/setup.sh
cmake -S . -B build-release -DCMAKE_BUILD_TYPE=Release -DBUILD_TESTING=OFF >&2
cmake --build build-release -j"$(nproc 2>/dev/null || echo 2)" --target cast_bench >&2
build-release/bench/cast_bench "$@"
# The chart sheet to PDF and the preview's first page (built when Qt 6 is found).
if cmake --build build-release -j"$(nproc 2>/dev/null || echo 2)" --target sheet_bench >&2 2>/dev/null; then
  build-release/bench/sheet_bench "$@"
fi
