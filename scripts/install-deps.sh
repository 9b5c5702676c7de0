#!/usr/bin/env bash
# Installs the Debian 12 packages Varnelo builds with; does nothing when all are present.
# clang and its runtime libraries (libFuzzer, sanitizers) are for the fuzz preset; Qt with
# its SVG icon plugin, the icon themes and the CJK fonts draw the views and pictures.
set -euo pipefail

packages=(
  build-essential cmake ninja-build pkg-config ccache
  libgtest-dev libgmock-dev googletest libbenchmark-dev
  libplist-dev libspdlog-dev libfmt-dev nlohmann-json3-dev
  clang libclang-rt-14-dev
  qt6-base-dev libqt6svg6 breeze-icon-theme adwaita-icon-theme fonts-noto-cjk
)

missing=()
for package in "${packages[@]}"; do
  if ! dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q "install ok installed"; then
    missing+=("$package")
  fi
done
if [ ${#missing[@]} -eq 0 ]; then
  exit 0
fi

echo "Installing: ${missing[*]}"
sudo=""
if [ "$(id -u)" -ne 0 ]; then sudo="sudo"; fi
export DEBIAN_FRONTEND=noninteractive
$sudo apt-get update -qq
$sudo apt-get install -y -qq --no-install-recommends "${missing[@]}"
