#!/usr/bin/env bash
# Builds everything and runs the whole test suite, then again with the
# sanitizers (scripts/sanitize.sh).
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/setup.sh
jobs=$(nproc 2>/dev/null || echo 2)
ctest --test-dir build --output-on-failure -j"$jobs"
# The suite again under AddressSanitizer and UndefinedBehaviorSanitizer, and
# each fuzz target for a few seconds.
scripts/sanitize.sh 5
