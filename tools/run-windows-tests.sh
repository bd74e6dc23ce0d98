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
inner=$(cat <<'INNER'
set -u
source tools/wine-env.sh
wine_prepare_prefix
wine_start_server
ctest --preset windows "$@"
rc=$?
wineserver -k >/dev/null 2>&1 || true
exit $rc
INNER
)
xvfb-run -a -s "-screen 0 1024x768x24" bash -c "$inner" ferrix-wine-tests "$@"
