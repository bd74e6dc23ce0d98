#!/usr/bin/env bash
# Builds the libFuzzer targets (preset linux-fuzz: clang, ASan, UBSan) and runs one of them.
# Usage: tools/run-fuzzer.sh TARGET [SECONDS] [extra libFuzzer flags]
# Corpus and findings go to build/linux-fuzz/corpus/TARGET and build/linux-fuzz/findings/.
# Fetches what the fuzz build needs first (packages; zlib, libpng and libsndfile sources, which
# it compiles with the fuzzer's instrumentation), as the test command does.
set -euo pipefail
top=$(cd "$(dirname "$0")/.." && pwd)
cd "$top"
target=${1:?usage: tools/run-fuzzer.sh TARGET [SECONDS]}
seconds=${2:-60}
shift $(( $# >= 2 ? 2 : 1 ))
bash tools/setup-packages.sh >/dev/null
bash tools/fetch-windows-deps.sh >/dev/null
cmake --preset linux-fuzz >/dev/null
cmake --build --preset linux-fuzz --target "$target"
corpus=build/linux-fuzz/corpus/$target
mkdir -p "$corpus" build/linux-fuzz/findings
# Audio files start from real files of each container the reader should survive.
if [ "$target" = fuzz_audio_file ] && [ -z "$(ls -A "$corpus")" ]; then
  cmake --build --preset linux-fuzz --target make_audio_seeds
  build/linux-fuzz/fuzz/make_audio_seeds "$corpus"
fi
exec "build/linux-fuzz/fuzz/$target" -max_total_time="$seconds" \
  -artifact_prefix=build/linux-fuzz/findings/ "$@" "$corpus"
