#!/usr/bin/env bash
# Runs a command on a virtual X server of its own, with Qt on the xcb platform: for tests whose
# windows must be real (activation, focus). Usage: on_xvfb.sh <command> [args...]. Exits 77
# (skipped) when there is no Xvfb.
set -euo pipefail

if ! command -v Xvfb >/dev/null; then
    echo "on_xvfb: no Xvfb, skipped"
    exit 77
fi
tmp=$(mktemp -d)
xvfb_pid=""
cleanup() {
    if [ -n "$xvfb_pid" ]; then kill "$xvfb_pid" 2>/dev/null || true; fi
    rm -rf "$tmp"
}
trap cleanup EXIT

Xvfb -displayfd 3 -screen 0 1024x768x24 -nolisten tcp 3>"$tmp/display" 2>"$tmp/xvfb.log" &
xvfb_pid=$!
for _ in $(seq 100); do
    [ -s "$tmp/display" ] && break
    sleep 0.05
done
[ -s "$tmp/display" ] || { echo "on_xvfb: Xvfb did not start: $(cat "$tmp/xvfb.log")" >&2; exit 1; }
DISPLAY=":$(head -n 1 "$tmp/display")"
export DISPLAY QT_QPA_PLATFORM=xcb
"$@"
