#!/usr/bin/env bash
# Builds the linux preset and runs every benchmark under bench/, printing one table per target.
# Extra arguments go to each benchmark (e.g. --benchmark_filter=Blit).
set -euo pipefail
top=$(cd "$(dirname "$0")/.." && pwd)
cd "$top"
cmake --preset linux >/dev/null
cmake --build --preset linux
for exe in build/linux/bench/bench_*; do
  [ -x "$exe" ] || continue
  echo "== $(basename "$exe")"
  "$exe" --benchmark_counters_tabular=true "$@"
done
