#!/usr/bin/env bash
# The README's first command: installs what building needs, builds the Linux and Windows products
# (the plug-in and ferrix-host, not the tests or benchmarks) and runs the main job.
set -euo pipefail
top=$(cd "$(dirname "$0")/.." && pwd)
cd "$top"

bash tools/setup-packages.sh main-job
bash tools/fetch-windows-deps.sh
for preset in linux windows; do
  cmake --preset "$preset" >/dev/null
  cmake --build --preset "$preset" --target Ferrix ferrix-host
done
# The main job: the demo loop through Ferrix with every factory preset, into out/.
build/linux/ferrix-host
