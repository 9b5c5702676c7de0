#!/usr/bin/env bash
# Installs what is missing, builds, and runs every test.
# Usage: scripts/test.sh [ci|dev|asan|tsan]   (default: ci — warnings are errors)
set -euo pipefail
cd "$(dirname "$0")/.."

preset="${1:-ci}"
scripts/install-deps.sh
cmake --preset "$preset" >/dev/null
cmake --build --preset "$preset" -j "$(nproc)"
ctest --preset "$preset" -j "$(nproc)"
