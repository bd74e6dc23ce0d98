#!/usr/bin/env bash
# Fails when any of our C++ files differs from clang-format's output (config: .clang-format).
# With --fix, reformats them in place instead.
set -euo pipefail
top=$(cd "$(dirname "$0")/.." && pwd)
cd "$top"
mapfile -t files < <(git ls-files --cached --others --exclude-standard -- '*.h' '*.cpp' \
  | grep -v '^third_party/')
[ ${#files[@]} -gt 0 ] || exit 0
if [ "${1:-}" = --fix ]; then
  clang-format -i "${files[@]}"
else
  clang-format --dry-run --Werror "${files[@]}"
  echo "check-format: ${#files[@]} files formatted"
fi
