#!/usr/bin/env bash
# Takes the README's picture of the live desktop: plays scenarios/tour-live.scn into
# `varnelo --desktop` on a virtual display (Xvfb) and photographs its window into
# docs/pictures/live-desktop.png. Installs Xvfb, xwd and ImageMagick when they are missing.
# Usage: scripts/live-picture.sh [VARNELO]
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
varnelo=${1:-$root/build/dev/apps/varnelo}

missing=()
for package in xvfb x11-apps x11-utils imagemagick; do
  dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q "install ok installed" ||
    missing+=("$package")
done
if [ ${#missing[@]} -gt 0 ]; then
  sudo=""
  if [ "$(id -u)" -ne 0 ]; then sudo="sudo"; fi
  $sudo apt-get install -y -qq --no-install-recommends "${missing[@]}"
fi

display=:47
Xvfb "$display" -screen 0 1920x1080x24 > /dev/null 2>&1 &
xvfb=$!
parent=$(mktemp -d)
trap 'kill "$app" "$xvfb" 2> /dev/null || true; rm -rf "$parent"' EXIT
sleep 1
# Named as a user's home, since Finder's sidebar shows its name.
DISPLAY=$display "$varnelo" --desktop --scenario "$root/scenarios/tour-live.scn" \
  --home "$parent/ann" > "$parent/printed" 2>&1 &
app=$!
# The window stays open once the scenario has played.
for _ in $(seq 120); do
  grep -q "tour-live.scn: passed" "$parent/printed" && break
  sleep 0.5
done
grep -q "tour-live.scn: passed" "$parent/printed" || { cat "$parent/printed"; exit 1; }
sleep 1
geometry=$(DISPLAY=$display xwininfo -root -tree | grep '"Varnelo on a simulated Mac' |
  grep -o '[0-9]*x[0-9]*+[0-9]*+[0-9]*' | head -1)
DISPLAY=$display xwd -root -silent | convert xwd:- -crop "$geometry" +repage \
  "$root/docs/pictures/live-desktop.png"
echo "docs/pictures/live-desktop.png ($geometry)"
