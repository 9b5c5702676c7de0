#!/usr/bin/env bash
# Renders the README's pictures into docs/pictures by playing the scenarios that take them
# (each writes its PNG into the current folder). Usage: scripts/pictures.sh [VARNELO]
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
varnelo=${1:-$root/build/dev/apps/varnelo}
mkdir -p "$root/docs/pictures"
cd "$root/docs/pictures"
for scenario in demo.scn tour-modern.scn tour-menu.scn tour-dialog.scn; do
  # Named as a user's home, since Finder's sidebar shows its name.
  parent=$(mktemp -d)
  "$varnelo" --scenario "$root/scenarios/$scenario" --home "$parent/ann" > /dev/null
  rm -rf "$parent"
done
ls "$root/docs/pictures"
