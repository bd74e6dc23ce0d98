#!/usr/bin/env bash
# Builds the linux-tsan preset's editor tests and runs the threads test under ThreadSanitizer
# for a few seconds: audio, editor and host threads sharing controls must give no report and no
# torn text. Extra arguments go to the test executable.
set -euo pipefail
top=$(cd "$(dirname "$0")/.." && pwd)
cd "$top"
cmake --preset linux-tsan >/dev/null
cmake --build --preset linux-tsan --target graphics_tests
TSAN_OPTIONS="halt_on_error=1 second_deadlock_stack=1" FERRIX_STRESS_SECONDS="${FERRIX_STRESS_SECONDS:-3}" \
  build/linux-tsan/tests/graphics/graphics_tests --gtest_filter='EditorThreads.*:Controls.*' "$@"
