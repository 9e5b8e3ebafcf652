#!/usr/bin/env bash
# Builds the program and runs it. Until the desktop program exists this plays the demo
# game through the headless driver and prints the handheld's final state.
set -euo pipefail
cd "$(dirname "$0")/.."

./scripts/install-deps.sh
cmake --preset dev
cmake --build --preset dev

out="$(build/dev/run/fluffo-sim --seed 2017 < scripts/demo-game.fsim)"
echo "Final state of the demo game:"
printf '%s\n' "$out" | grep '^{"t":' | tail -n 1
