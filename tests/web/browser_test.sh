#!/usr/bin/env bash
# The web page end to end in one headless browser (e2e_test.mjs). Usage:
#   browser_test.sh chromium|firefox SITE_DIR FLUFFO_SIM DEMO_SCRIPT
# Installs puppeteer-core from package-lock.json the first time (npm ci; no browser is
# downloaded: the installed ones are driven). Exits 77 (skipped) when node, the site or the
# browser is missing, or when puppeteer-core cannot be installed.
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)

if ! command -v node >/dev/null || ! command -v npm >/dev/null; then
    echo "browser_test: no node or npm, skipped"
    exit 77
fi
if ! "$here/install_modules.sh"; then
    echo "browser_test: puppeteer-core could not be installed (npm ci), skipped"
    exit 77
fi
exec node "$here/e2e_test.mjs" "$@"
