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
# The main job: the demo loop through Ferrix with every factory preset, into out/.
if [ -f build/linux/Ferrix.so ]; then
  build/linux/ferrix-host
else
  echo "main-job: built the linux and windows presets; Ferrix.so is not built yet, so ferrix-host has nothing to render"
fi
