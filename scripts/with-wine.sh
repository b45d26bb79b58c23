#!/usr/bin/env bash
# with-wine.sh COMMAND...: runs the Windows program COMMAND (an .exe and its arguments) under
# Wine, in a private prefix: $SKINUI_WINEPREFIX, by default build-win/wineprefix of this
# checkout. The prefix is made on first use; several runs starting at once wait for the one that
# makes it. No menu entries or file associations are written to the host, and there is no
# Mono/Gecko prompt. Meant to run inside scripts/with-xvfb.sh. Exits with COMMAND's exit code.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
export WINEPREFIX=${SKINUI_WINEPREFIX:-$root/build-win/wineprefix}
export WINEARCH=win64
export WINEDEBUG=${WINEDEBUG:--all}
export WINEDLLOVERRIDES="winemenubuilder.exe=d;mscoree=d;mshtml=d${WINEDLLOVERRIDES:+;$WINEDLLOVERRIDES}"
[ $# -gt 0 ] || { echo "usage: with-wine.sh COMMAND..." >&2; exit 2; }

# The prefix is complete once its stamp exists; making it is done under a lock.
ready=$WINEPREFIX/.skinui-ready
if [ ! -f "$ready" ]; then
  mkdir -p "$(dirname "$WINEPREFIX")"
  exec 8>"$WINEPREFIX.lock"
  flock 8
  if [ ! -f "$ready" ]; then
    rm -rf "$WINEPREFIX"
    echo "with-wine: making the prefix $WINEPREFIX" >&2
    wineboot -i >/dev/null 2>&1
    wineserver -w  # until the registry is written
    touch "$ready"
  fi
  exec 8>&-
fi
exec wine "$@"
