#!/usr/bin/env bash
# windows-deps.sh: makes sure the libraries of the Windows build exist in the cache
# (scripts/windows-deps/lib.sh says where), building the missing ones from Debian's source
# packages with the mingw-w64 toolchain. Runs every scripts/windows-deps/[0-9]*.sh in name order;
# each part skips itself when its stamp is current, so a second run only checks. One run at a
# time per cache: builds from several checkouts share it.
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
source "$here/windows-deps/lib.sh"
exec 9>"$SKINUI_WINDEPS/lock"
flock 9
rm -f "$SKINUI_WINDEPS"/stamps/.used-*  # left by a part that failed
for part in "$here"/windows-deps/[0-9]*.sh; do
  bash "$part" || { echo "windows-deps: ${part##*/} failed" >&2; exit 1; }
done
