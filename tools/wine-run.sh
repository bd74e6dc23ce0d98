#!/usr/bin/env bash
# ctest's way into wine: runs one Windows executable (a test, or its listing of tests) under
# wine64 in the build's prefix, preparing the prefix first if no one has. On a loaded machine
# wine now and then fails to start a process: it ends with a failure code before the program
# prints a line. Only that failure is run again (a test once), and named in
# build/windows/wine-retries.log (tools/run-windows-tests.sh prints it); a program that printed
# anything has run, and its result stands.
set -u
top=$(cd "$(dirname "$0")/.." && pwd)
# shellcheck source=tools/wine-env.sh
source "$top/tools/wine-env.sh"
retries=${FERRIX_WINE_RETRY_LOG:-$top/build/windows/wine-retries.log}

mkdir -p "$(dirname "$WINEPREFIX")"
exec 9>"$WINEPREFIX.lock"
flock 9
wine_prepare_prefix
exec 9>&-

# A test runs at most twice. Listing the tests decides no result, so it may take a third try.
name=$(basename "$1")
attempts=2
for arg in "$@"; do
  case $arg in
    --gtest_filter=*) name=${arg#--gtest_filter=} ;;
    --gtest_list_tests) name="$name (listing its tests)" attempts=3 ;;
  esac
done

printed=$(mktemp)
trap 'rm -f "$printed"' EXIT
for ((attempt = 1; ; attempt++)); do
  wine64 "$@" | tee "$printed"
  rc=${PIPESTATUS[0]}
  if [ "$rc" -eq 0 ] || [ -s "$printed" ] || [ "$attempt" -eq "$attempts" ]; then
    exit "$rc"
  fi
  echo "$name" >>"$retries"
  echo "wine-run: wine did not start $name (exit $rc, no output): running it once more" >&2
done
