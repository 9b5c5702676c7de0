#!/usr/bin/env bash
# Installs what is missing, builds, and runs every test.
# Usage: scripts/test.sh [ci|dev|asan|tsan]   (default: ci — warnings are errors)
# ci also builds the fuzz preset and runs each fuzz target for a few seconds.
set -euo pipefail
cd "$(dirname "$0")/.."

preset="${1:-ci}"
scripts/install-deps.sh
cmake --preset "$preset" >/dev/null
cmake --build --preset "$preset" -j "$(nproc)"
ctest --preset "$preset" -j "$(nproc)"
if [ "$preset" = ci ]; then
  cmake --preset fuzz >/dev/null
  cmake --build --preset fuzz -j "$(nproc)"
  ctest --preset fuzz
fi
