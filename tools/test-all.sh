#!/usr/bin/env bash
# The README's test command: installs what is needed, then builds and runs every test —
# format check, Linux native, Linux with ASan+UBSan, the editor's threads under TSan, and the
# Windows build under wine, and the two packages a user installs.
# Exits non-zero when any part fails.
set -euo pipefail
top=$(cd "$(dirname "$0")/.." && pwd)
cd "$top"

bash tools/setup-packages.sh
bash tools/fetch-windows-deps.sh

echo "== format"
bash tools/check-format.sh

for preset in linux linux-asan; do
  echo "== $preset"
  cmake --preset "$preset" >/dev/null
  cmake --build --preset "$preset"
  ctest --preset "$preset" -j2
  bash tools/report-skips.sh "build/$preset"
done

echo "== linux-tsan (editor threads)"
bash tools/run-tsan-tests.sh

echo "== windows (under wine)"
bash tools/run-windows-tests.sh -j2
bash tools/compare-platform-renders.sh
echo "== packages"
bash tools/check-packages.sh
echo "== all tests passed"
