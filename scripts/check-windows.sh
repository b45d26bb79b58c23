#!/usr/bin/env bash
# check-windows.sh [folder...]: compiles every source above the platform syntax-only with the
# mingw-w64 cross compiler against the real <windows.h>, so that the code stays Windows-clean
# (WCHAR, TEXT("..."), the real signatures). Platform/Win32.h is the Windows build's own, from
# Platform/WindowsHeaders/; the library headers the sources use (zlib, minizip, stb) are the
# system's own. Default folders: Utils Core Control Layout setup apps. Prints one line per file that
# fails with its errors, then "windows: N passed, N failed"; exits 1 when any failed.
set -uo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
cd "$root" || exit 2
compiler=${SKINUI_MINGW:-x86_64-w64-mingw32-g++-posix}
if ! command -v "$compiler" >/dev/null; then
  echo "windows: $compiler is missing (scripts/setup.sh installs it)"
  exit 1
fi
folders=("$@")
[ ${#folders[@]} -gt 0 ] || folders=(Utils Core Control Layout setup apps)

# The dependency headers, and nothing else of the host's include folder.
deps=$(mktemp -d)
trap 'rm -rf "$deps"' EXIT
for h in minizip stb zlib.h zconf.h; do
  [ -e "/usr/include/$h" ] && ln -s "/usr/include/$h" "$deps/$h"
done

flags=(-std=c++20 -fsyntax-only -Wall -Wextra -Werror -Wcast-function-type -DUNICODE -D_UNICODE
       -I "$root/Platform/WindowsHeaders" -I "$root" -isystem "$deps")
passed=0 failed=0
files=()
for folder in "${folders[@]}"; do
  [ -d "$folder" ] || continue
  while IFS= read -r -d '' f; do files+=("$f"); done \
    < <(find "$folder" -type f -name '*.cpp' -print0 | sort -z)
done
jobs=${SKINUI_JOBS:-$(nproc)}
results=$(mktemp -d)
check_one() {
  local f=$1 log=$2
  if "$compiler" "${flags[@]}" "$f" >"$log" 2>&1; then rm -f "$log"; fi
}
export -f check_one
i=0
for f in "${files[@]}"; do
  log="$results/$(echo "$f" | tr '/' '_').log"
  check_one "$f" "$log" &
  i=$((i + 1))
  if [ $((i % jobs)) -eq 0 ]; then wait; fi
done
wait
for f in "${files[@]}"; do
  log="$results/$(echo "$f" | tr '/' '_').log"
  if [ -f "$log" ]; then
    failed=$((failed + 1))
    echo "FAILED $f"
    grep -E 'error' "$log" | head -n 20 | sed 's/^/    /'
  else
    passed=$((passed + 1))
  fi
done
rm -rf "$results"
echo "windows: $passed passed, $failed failed"
[ "$failed" -eq 0 ]
