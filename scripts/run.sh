#!/usr/bin/env bash
# Installs what is missing, builds Varnelo, and plays the demo scenario on the simulated
# macOS desktop. Extra arguments go to varnelo (try --help).
set -euo pipefail
cd "$(dirname "$0")/.."

scripts/install-deps.sh
cmake --preset release >/dev/null
cmake --build --preset release -j "$(nproc)" --target varnelo
exec build/release/apps/varnelo --scenario scenarios/demo.scn "$@"
