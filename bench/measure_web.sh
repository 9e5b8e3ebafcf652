#!/usr/bin/env bash
# Measures the web page in the installed headless browsers (bench/measure_web.mjs says what):
# first frame, bytes sent, CPU in the clock mode and in Game B play. Run by hand after
# scripts/build-web.sh, on a quiet machine; it takes about a minute and a half per browser.
# Usage: bench/measure_web.sh [chromium|firefox|both] [seconds per CPU window]
# Environment: SITE (default build/web), LOADS (cold loads per browser, default 3), SOUND
# (on or off: the start screen's choice for the CPU windows, default on).
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
"$here/../tests/web/install_modules.sh"
exec node "$here/measure_web.mjs" "$@"
