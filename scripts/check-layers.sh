#!/usr/bin/env bash
# check-layers.sh [source root]: checks that the code above the platform keeps to its layers.
#
#   - Above Platform/ (Utils, Core, Control, Layout, setup, tools, demo, apps) a platform header is
#     one of the public set, the headers directly in Platform/ (Platform/Win32.h and its parts);
#     the folders inside Platform/ are the platform's own. The headless driver is for tests.
#   - A layer includes only itself and the layers below it:
#     Utils < Core < Layout < Control < setup < tools, demo, apps (SevenZip/ sits beside the
#     platform and may be used by setup and tools).
#   - No operating-system or toolkit header (POSIX, GTK, cairo, pango, SQLite, libarchive,
#     <windows.h>) outside Platform/.
#
# Prints one line per breach ("file:line: what") and exits 1 when there is any.
set -uo pipefail
root=${1:-$(cd "$(dirname "$0")/.." && pwd)}
cd "$root" || exit 2

declare -A rank=([Utils]=1 [Core]=2 [Layout]=3 [Control]=4 [setup]=5 [tools]=6 [demo]=6 [apps]=6)
system_headers='^(sys/|unistd\.h|fcntl\.h|dlfcn\.h|pthread\.h|dirent\.h|poll\.h|spawn\.h|termios\.h|semaphore\.h|linux/|X11/|gtk/|gdk/|glib|gio/|cairo|pango|fontconfig/|ft2build\.h|sqlite3\.h|archive\.h|archive_entry\.h|windows\.h)'

# Breaches that another piece of work is removing; one "file:included header" a line. An entry
# that no longer occurs is itself reported, so that the list only shrinks.
pending=(
  "tools/extract/extract_payload.cpp:Platform/Kernel/PathMap.h"
)
declare -A pending_seen=()
is_pending() {
  local entry
  for entry in "${pending[@]}"; do
    if [ "$entry" = "$1" ]; then pending_seen[$1]=1; return 0; fi
  done
  return 1
}

breaches=0
breach() {
  echo "$1"
  breaches=$((breaches + 1))
}

check_file() {
  local file=$1 layer=${1%%/*} line number header
  while IFS= read -r line; do
    number=${line%%:*}
    if [[ $line =~ \#[[:space:]]*include[[:space:]]*\"([^\"]+)\" ]]; then
      header=${BASH_REMATCH[1]}
      local top=${header%%/*}
      if [ "$top" = Platform ]; then
        [[ $header =~ ^Platform/[^/]+\.h$ ]] && continue
        is_pending "$file:$header" && continue
        breach "$file:$number: includes the platform's own header $header (only Platform/*.h are public)"
      elif [ "$top" = tests ]; then
        breach "$file:$number: includes the test header $header"
      elif [ -n "${rank[$top]:-}" ] && [ "$header" != "$top" ] && [ "${rank[$top]}" -gt "${rank[$layer]}" ]; then
        breach "$file:$number: $layer includes $header of the higher layer $top"
      fi
    elif [[ $line =~ \#[[:space:]]*include[[:space:]]*\<([^\>]+)\> ]]; then
      header=${BASH_REMATCH[1]}
      if [[ $header =~ $system_headers ]]; then
        breach "$file:$number: includes the system header <$header> outside Platform/"
      fi
    fi
  done < <(grep -n '^[[:space:]]*#[[:space:]]*include' "$file")
}

for layer in "${!rank[@]}"; do
  [ -d "$layer" ] || continue
  while IFS= read -r -d '' file; do
    check_file "$file"
  done < <(find "$layer" -type f \( -name '*.h' -o -name '*.cpp' -o -name '*.inc' \) -print0)
done

for entry in "${pending[@]}"; do
  [ -n "${pending_seen[$entry]:-}" ] || breach "scripts/check-layers.sh: the pending breach $entry is gone; remove it from the list"
done

if [ "$breaches" -gt 0 ]; then
  echo "$breaches layer breach(es)"
  exit 1
fi
echo "layers: clean"
