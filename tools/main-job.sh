#!/usr/bin/env bash
# The README's first command: installs what is needed, builds the Linux and Windows products.
set -euo pipefail
top=$(cd "$(dirname "$0")/.." && pwd)
cd "$top"

bash tools/setup-packages.sh
bash tools/fetch-windows-deps.sh
for preset in linux windows; do
  cmake --preset "$preset" >/dev/null
  cmake --build --preset "$preset"
done
echo "main-job: built the linux and windows presets (the plug-in and ferrix-host are not built yet)"
