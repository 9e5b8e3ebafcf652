#!/usr/bin/env bash
# Installs the browser tests' node modules (puppeteer-core) exactly as package-lock.json
# names them, once: nothing happens while node_modules matches the lock. Never downloads a
# browser. Two tests starting at once take turns.
set -euo pipefail
cd "$(dirname "$0")"

export PUPPETEER_SKIP_DOWNLOAD=1 PLAYWRIGHT_SKIP_BROWSER_DOWNLOAD=1
exec 9>.install.lock
flock 9
if [ -f node_modules/.package-lock.json ] && [ node_modules/.package-lock.json -nt package-lock.json ]; then
    exit 0
fi
npm ci --no-audit --no-fund --loglevel=error
