#!/usr/bin/env bash
# Builds build/mac/apps/Varnelo.app on a Mac: installs what is missing through Homebrew,
# configures the mac preset, builds the bundle and signs it ad hoc. Written on Linux and
# never run there (docs/mac.md).
set -euo pipefail
cd "$(dirname "$0")/.."

if [ "$(uname -s)" != Darwin ]; then
  echo "mac-bundle.sh builds the macOS application and needs a Mac." >&2
  exit 2
fi
if ! command -v brew >/dev/null; then
  echo "mac-bundle.sh installs its tools with Homebrew (https://brew.sh); install it first." >&2
  exit 2
fi
for formula in cmake ninja pkg-config qt nlohmann-json fmt libplist googletest; do
  brew list --formula "$formula" >/dev/null 2>&1 || brew install "$formula"
done

cmake --preset mac -DCMAKE_PREFIX_PATH="$(brew --prefix qt)"
cmake --build --preset mac
# Permissions are granted to a signed identity; ad hoc is enough on the machine that built it.
codesign --force --deep --sign - build/mac/apps/Varnelo.app
echo "Built build/mac/apps/Varnelo.app; copy it to /Applications and open it (docs/mac.md)."
