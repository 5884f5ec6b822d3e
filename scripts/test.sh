#!/usr/bin/env bash
# Builds everything and runs the whole test suite, then again with the
# sanitizers (scripts/sanitize.sh).
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/setup.sh
jobs=$(nproc 2>/dev/null || echo 2)
ctest --test-dir build --output-on-failure -j"$jobs"

# Without Qt the computation still builds and casts: vesprin-cast against its
# golden output, the layouts and the golden chart sheets.
cmake -S . -B build-noqt -DVESPRIN_WITH_QT=OFF -DVESPRIN_BUILD_BENCH=OFF \
  -DVESPRIN_BUILD_CALENDAR_GEN=OFF >&2
cmake --build build-noqt -j"$jobs" --target vesprin-cast layout_test chart_sheet_test >&2
ctest --test-dir build-noqt --output-on-failure -j"$jobs" -R '^(golden_|layout_test|chart_sheet_test)'

# The suite again under AddressSanitizer and UndefinedBehaviorSanitizer, and
# each fuzz target for a few seconds.
scripts/sanitize.sh 5
