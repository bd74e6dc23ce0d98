#!/usr/bin/env bash
# Builds the linux-tsan preset's editor tests and runs the threads tests under ThreadSanitizer
# for a few seconds: audio, editor and host threads sharing controls (the framework's test
# editor, then Ferrix with its own editor) must give no report and no torn text; then the X11
# editor driven by its own thread and by host threads through the VST 2.4 binding (under a
# private Xvfb; a deadlock ends the run through the tests' watchdog). Extra arguments go to every
# test executable.
set -euo pipefail
top=$(cd "$(dirname "$0")/.." && pwd)
cd "$top"
cmake --preset linux-tsan >/dev/null
cmake --build --preset linux-tsan --target graphics_tests ferrix_editor_tests \
  graphics_x11_tests
export TSAN_OPTIONS="halt_on_error=1 second_deadlock_stack=1"
export FERRIX_STRESS_SECONDS="${FERRIX_STRESS_SECONDS:-3}"
build/linux-tsan/tests/graphics/graphics_tests --gtest_filter='EditorThreads.*:Controls.*' "$@"
build/linux-tsan/tests/effect/ferrix_editor_tests --gtest_filter='*Threads*' "$@"
build/linux-tsan/tests/graphics_x11/graphics_x11_tests --gtest_filter='X11Threads.*:X11HostThreads.*' "$@"
