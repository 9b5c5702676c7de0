#!/usr/bin/env bash
# Installs what is missing, builds, and runs every test.
# Usage: scripts/test.sh [ci|dev|asan|tsan]   (default: ci — warnings are errors)
# ci also builds the fuzz preset and runs each fuzz target for a few seconds, then runs
# the whole suite again under the address and undefined-behaviour sanitizers and under
# the thread sanitizer.
set -euo pipefail
cd "$(dirname "$0")/.."

preset="${1:-ci}"
scripts/install-deps.sh

run_preset() {
  cmake --preset "$1" >/dev/null
  cmake --build --preset "$1" -j "$(nproc)"
  ctest --preset "$1" -j "$(nproc)"
}

run_preset "$preset"
if [ "$preset" = ci ]; then
  cmake --preset fuzz >/dev/null
  cmake --build --preset fuzz -j "$(nproc)"
  ctest --preset fuzz
  run_preset asan
  run_preset tsan
fi
