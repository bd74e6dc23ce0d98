#!/usr/bin/env bash
# Builds the libFuzzer targets (preset linux-fuzz: clang, ASan, UBSan) and runs one of them.
# Usage: tools/run-fuzzer.sh TARGET [SECONDS] [extra libFuzzer flags]
# Corpus and findings go to build/linux-fuzz/corpus/TARGET and build/linux-fuzz/findings/.
set -euo pipefail
top=$(cd "$(dirname "$0")/.." && pwd)
cd "$top"
target=${1:?usage: tools/run-fuzzer.sh TARGET [SECONDS]}
seconds=${2:-60}
shift $(( $# >= 2 ? 2 : 1 ))
cmake --preset linux-fuzz >/dev/null
cmake --build --preset linux-fuzz --target "$target"
corpus=build/linux-fuzz/corpus/$target
mkdir -p "$corpus" build/linux-fuzz/findings
exec "build/linux-fuzz/fuzz/$target" -max_total_time="$seconds" \
  -artifact_prefix=build/linux-fuzz/findings/ "$@" "$corpus"
