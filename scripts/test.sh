#!/usr/bin/env bash
# Builds the dev preset and runs every test; prints ctest's summary and fails when a test does.
set -euo pipefail
cd "$(dirname "$0")/.."

./scripts/install-deps.sh
cmake --preset dev
cmake --build --preset dev

log=build/dev/ctest.log
if ctest --preset dev >"$log" 2>&1; then
    sed -n '/tests passed/,$p' "$log"
else
    # Failing tests and their output, then the summary.
    grep -E '\*\*\*|Failed|Exception|Timeout' "$log" | head -n 50 || true
    sed -n '/tests passed/,$p' "$log"
    echo "test.sh: tests failed; the whole log is in $log" >&2
    exit 1
fi
