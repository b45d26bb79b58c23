#!/usr/bin/env bash
# with-wine.sh COMMAND...: runs the Windows program COMMAND (an .exe and its arguments) under
# Wine, in a private prefix: $SKINUI_WINEPREFIX, by default build-win/wineprefix of this
# checkout. The prefix is made on first use; several runs starting at once wait for the one that
# makes it. No menu entries or file associations are written to the host, and there is no
# Mono/Gecko prompt. Meant to run inside scripts/with-xvfb.sh. Exits with COMMAND's exit code.
#
# with-wine.sh --session COMMAND...: runs the Linux COMMAND (a test runner whose tests start
# Windows programs) with the prefix made and Wine's settings in its environment, then waits until
# every Wine process of the prefix has ended, so that the display they use outlives them.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
export WINEPREFIX=${SKINUI_WINEPREFIX:-$root/build-win/wineprefix}
export WINEARCH=win64
export WINEDEBUG=${WINEDEBUG:--all}
export WINEDLLOVERRIDES="winemenubuilder.exe=d;mscoree=d;mshtml=d${WINEDLLOVERRIDES:+;$WINEDLLOVERRIDES}"
session=
if [ "${1:-}" = --session ]; then
  session=1
  shift
fi
[ $# -gt 0 ] || { echo "usage: with-wine.sh [--session] COMMAND..." >&2; exit 2; }

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
if [ -z "$session" ]; then
  exec wine "$@"
fi
export SKINUI_WINEPREFIX=$WINEPREFIX
status=0
"$@" || status=$?
# A program a test left behind is ended rather than waited for.
timeout 60 wineserver -w || wineserver -k
exit $status
