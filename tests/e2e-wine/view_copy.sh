#!/usr/bin/env bash
# A file view that shrinks while it is read, under Wine: Platform::CopyFromView copies a mapped
# file whole, then, once the file has been cut to one page behind the view, fails with
# ERROR_READ_FAULT (30) instead of crashing the program; the first page still reads back. Run
# with the Windows build folder as $1.
build=$(cd "$1" && pwd)
root="$(cd "$(dirname "$0")/../.." && pwd)"
source "$root/tests/support/e2e.sh"
export SKINUI_WINEPREFIX=${SKINUI_WINEPREFIX:-$build/wineprefix}

head -c 1048576 /dev/urandom >"$work/payload.bin"
mkfifo "$work/go"
bash "$root/scripts/with-wine.sh" "$build/tests/wine/view_copy_probe.exe" \
  "Z:${work//\//\\}\\payload.bin" <"$work/go" >"$work/out" 2>"$work/err" &
pid=$!
exec 7>"$work/go"
for _ in $(seq 1200); do
  grep -q '^copy' "$work/out" && break
  kill -0 "$pid" 2>/dev/null || break
  sleep 0.1
done
[ "$(sed -n 1p "$work/out" | tr -d "\r")" = "copy 1 error 0 same 1" ] ||
  fail "whole file: $(cat "$work/out" "$work/err")"
truncate -s 4096 "$work/payload.bin"
echo go >&7
exec 7>&-
status=0
wait "$pid" || status=$?
pid=
tr -d '\r' <"$work/out" >"$work/lines"
[ "$status" -eq 0 ] || fail "the probe ended with $status: $(head -n 3 "$work/err")"
[ "$(sed -n 2p "$work/lines" | cut -d' ' -f1-4)" = "copy 0 error 30" ] ||
  fail "shrunk file: $(sed -n 2p "$work/lines")"
[ "$(sed -n 3p "$work/lines")" = "after release first byte 1" ] || fail "$(sed -n 3p "$work/lines")"
echo "view_copy: a copy from a view of a shrunk file fails with ERROR_READ_FAULT"
