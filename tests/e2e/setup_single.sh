#!/usr/bin/env bash
# One installer at a time: of two started together in one prefix, one shows its window and the
# other ends at once with exit code 0; a third started later ends the same way, and once the
# first has ended a new one starts again. Run under Xvfb with the build folder as $1.
build=$1
program="$build/setup/HalvaneSetup"
source "$(dirname "$0")/../support/e2e.sh"

export SKINUI_PREFIX="$work/prefix" SKINUI_HOST=gtk NO_AT_BRIDGE=1
title='^Halvane安装程序$'
"$program" >/dev/null 2>&1 &
one=$!
"$program" >/dev/null 2>&1 &
two=$!
pid="$one $two"

# ended PID: waits up to 30 s for PID to end; its exit code in $code ("running" if it did not).
ended() {
  code=0
  for _ in $(seq 300); do kill -0 "$1" 2>/dev/null || break; sleep 0.1; done
  if kill -0 "$1" 2>/dev/null; then code=running; return; fi
  wait "$1" || code=$?
}

# The second to claim ends on its own; which one that is, is up to the scheduler.
for _ in $(seq 300); do
  kill -0 "$one" 2>/dev/null || break
  kill -0 "$two" 2>/dev/null || break
  sleep 0.1
done
if kill -0 "$one" 2>/dev/null; then first=$one second=$two; else first=$two second=$one; fi
ended "$second"
[ "$code" = 0 ] || fail "the second installer ended with $code"
kill -0 "$first" 2>/dev/null || fail "both installers ended"
pid=$first
for _ in $(seq 300); do
  [ "$(xdotool search --onlyvisible --name "$title" 2>/dev/null | wc -l)" -ge 1 ] && break
  sleep 0.1
done
[ "$(xdotool search --onlyvisible --name "$title" 2>/dev/null | wc -l)" -eq 1 ] ||
  fail "not exactly one installer window"

"$program" >/dev/null 2>&1 &
ended $!
[ "$code" = 0 ] || fail "a later installer ended with $code while the first runs"

kill "$first"
wait "$first" 2>/dev/null || true
open_setup "$work/prefix"
kill -0 "$pid" 2>/dev/null || fail "no installer starts after the first ended"
echo "setup single: one of two started together runs, the other and a later one end with 0"
