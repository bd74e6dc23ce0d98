#!/usr/bin/env bash
# Renders the demo loop with --precision 64 through the Linux and the Windows build of one
# plug-in (ferrix-host natively, ferrix-host.exe under wine) and checks that both files are
# bit-identical. Needs both presets built. The argument names the module inside each build tree
# without its suffix (default: Ferrix, built beside ferrix-host), e.g. tests/host/test_gain_params.
set -euo pipefail
top=$(cd "$(dirname "$0")/.." && pwd)
cd "$top"
module=${1:-Ferrix}
# wine64 is found through the PATH that wine-env.sh sets.
# shellcheck source=tools/wine-env.sh
source tools/wine-env.sh
# shellcheck source=tools/missing-tool.sh
source tools/missing-tool.sh
need_tools compare-platform-renders wine64 || exit 0
out="$top/build/compare-renders"
mkdir -p "$out"

cmp -s build/linux/ferrix-demo.wav build/windows/ferrix-demo.wav ||
  { echo "compare-platform-renders: the two builds synthesised different demo loops" >&2; exit 1; }

build/linux/ferrix-host --quiet --precision 64 --plugin "build/linux/$module.so" \
  build/linux/ferrix-demo.wav "$out/linux.wav"

wine_prepare_prefix
wine_start_server
win() { winepath -w "$1" 2>/dev/null; }
wine64 build/windows/ferrix-host.exe --quiet --precision 64 --plugin "$(win "build/windows/$module.dll")" \
  "$(win build/windows/ferrix-demo.wav)" "$(win "$out/windows.wav")" </dev/null
wineserver -k >/dev/null 2>&1 || true

if cmp "$out/linux.wav" "$out/windows.wav"; then
  echo "compare-platform-renders: $module renders bit-identically on Linux and under wine"
else
  echo "compare-platform-renders: $module renders differ between Linux and wine" >&2
  exit 1
fi
