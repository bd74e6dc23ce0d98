#!/usr/bin/env bash
# The README's first command: installs what is needed, builds the Linux and Windows products and
# runs the main job.
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
build/linux/ferrix-host
