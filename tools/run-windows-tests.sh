#!/usr/bin/env bash
# Builds the windows preset and runs its tests under wine64 inside a virtual X server.
# Extra arguments go to ctest (e.g. -R support_tests).
set -euo pipefail
top=$(cd "$(dirname "$0")/.." && pwd)
cd "$top"
cmake --preset windows >/dev/null
cmake --build --preset windows

# shellcheck source=tools/wine-env.sh
source tools/wine-env.sh
# shellcheck source=tools/missing-tool.sh
source tools/missing-tool.sh
need_tools run-windows-tests wine64 xvfb-run Xvfb || exit 0
inner=$(cat <<'INNER'
set -u
source tools/wine-env.sh
wine_prepare_prefix
wine_start_server
# tools/wine-run.sh runs again only what wine failed to start; it names each such run here.
retries=build/windows/wine-retries.log
rm -f "$retries"
ctest --preset windows "$@"
rc=$?
bash tools/report-skips.sh build/windows
if [ -s "$retries" ]; then
  echo "Run again because wine did not start them (ended at once, printed nothing):"
  sed 's/^/  /' "$retries"
fi
wineserver -k >/dev/null 2>&1 || true
exit $rc
INNER
)
xvfb-run -a -s "-screen 0 1024x768x24" bash -c "$inner" ferrix-wine-tests "$@"
