#!/usr/bin/env bash
# Builds the dev preset and the web page (build/web/), runs every test; prints ctest's summary
# (and how many checks the browser tests passed) and fails when a test does.
set -euo pipefail
cd "$(dirname "$0")/.."

./scripts/install-deps.sh
cmake --preset dev
cmake --build --preset dev
# The web page and the node modules that drive the browsers over it.
./scripts/build-web.sh
tests/web/install_modules.sh

log=build/dev/ctest.log
# Each browser test's own count of checks, from the full log of the run.
web_checks() {
    grep -hE '^(chromium|firefox): [0-9]+ passed' build/dev/Testing/Temporary/LastTest.log |
        sed 's/^/web checks in /' || true
}
if ctest --preset dev >"$log" 2>&1; then
    web_checks
    sed -n '/tests passed/,$p' "$log"
else
    web_checks
    # Failing tests and their output, then the summary.
    grep -E '\*\*\*|Failed|Exception|Timeout' "$log" | head -n 50 || true
    sed -n '/tests passed/,$p' "$log"
    echo "test.sh: tests failed; the whole log is in $log" >&2
    exit 1
fi
