#!/usr/bin/env bash
# format.sh [--check] [path...]: formats our C++ sources with clang-format and .clang-format.
# With --check nothing is written: clang-format --dry-run -Werror reports every file that is
# not formatted and the script exits 1. Default paths: every tracked .h and .cpp outside the
# fuzz corpora and third-party code.
set -uo pipefail
cd "$(dirname "$0")/.."
check=0
if [ "${1:-}" = --check ]; then
  check=1
  shift
fi
if [ $# -gt 0 ]; then
  mapfile -t files < <(find "$@" -type f \( -name '*.h' -o -name '*.cpp' \) | sort)
else
  mapfile -t files < <(git ls-files '*.h' '*.cpp' 2>/dev/null | grep -v '^fuzz/corpus/' | sort)
fi
if [ ${#files[@]} -eq 0 ]; then
  echo "format: no files"
  exit 0
fi
if [ $check -eq 1 ]; then
  bad=0
  for f in "${files[@]}"; do
    clang-format --style="file:$PWD/.clang-format" --dry-run -Werror "$f" >/dev/null 2>&1 || { echo "not formatted: $f"; bad=$((bad + 1)); }
  done
  echo "format: $((${#files[@]} - bad)) passed, $bad failed"
  [ $bad -eq 0 ]
else
  clang-format --style="file:$PWD/.clang-format" -i "${files[@]}"
  echo "format: ${#files[@]} files formatted"
fi
