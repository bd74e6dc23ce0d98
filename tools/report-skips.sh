#!/usr/bin/env bash
# Prints every test the last ctest run in BUILD_DIR skipped, with the reason the test gave.
set -euo pipefail
log="$1/Testing/Temporary/LastTest.log"
[ -f "$log" ] || exit 0
skips=$(awk '
  /^[0-9]+\/[0-9]+ Test: / { name = $0; sub(/^[0-9]+\/[0-9]+ Test: /, "", name); next }
  /: Skipped$/ { reason = ""; reading = 1; next }
  reading && (/^$/ || /^\[/) { reading = 0; print "  " name ": " reason; next }
  reading { reason = reason (reason == "" ? "" : " ") $0 }' "$log" | sort -u)
[ -z "$skips" ] || printf 'Skipped, with the reasons the tests gave:\n%s\n' "$skips"
