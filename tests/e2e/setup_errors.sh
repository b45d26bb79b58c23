#!/usr/bin/env bash
# Every path the installer cannot use is refused with a box that names the cause, and nothing is
# recorded or left behind: a relative or empty path, a file in the way, a forbidden character, a
# drive that is not there, and a path that the field cuts at its limit and that is then too long
# for the payload. Run under Xvfb with the build folder as $1.
build=$1
program="$build/setup/HalvaneSetup"
reg="$build/tools/reg/skinui-reg"
source "$(dirname "$0")/../support/e2e.sh"

prefix="$work/prefix"
open_setup "$prefix"
drive_c="$prefix/drive_c"
echo "a file" >"$drive_c/afile"
before=$(cd "$drive_c" && find . | sort)

# try TEXT EXPECTED: puts TEXT into the path field (a click selects all it holds, so typing
# replaces it), presses Enter there and expects the box EXPECTED, then closes it.
try() {
  at 250 190
  xdotool click 1
  sleep 0.3
  if [ -n "$1" ]; then xdotool type --delay 5 "$1"; else xdotool key BackSpace; fi
  sleep 0.2
  xdotool key Return
  wait_line "$work/log" "^message: $2\$"
  dialog_key '^Halvane$' Return
  wait_line "$work/log" '^answer: 1$'
  : >"$work/log"
  at 250 100
}

try 'C:Games' 'Error : a1'
try '' 'Error : a1'
try 'C:\afile\Halvane' 'Error : 10b'
try 'C:\Ga?mes' 'Error : 7b'
try 'C:\Ga|mes' 'Error : 7b'
try 'Q:\Games' '无效的盘符'
# 300 characters typed: the field keeps 258, which leave no room for the payload's names.
long='C:'
for _ in $(seq 30); do long+='\aaaaaaaaa'; done
try "$long" 'Error : ce'

kill -0 "$pid" 2>/dev/null || fail "the installer ended"
after=$(cd "$drive_c" && find . | sort)
[ "$before" = "$after" ] || fail "files changed: $(diff <(echo "$before") <(echo "$after"))"
if "$reg" query 'HKCU\Software\Halvane' /v InstallPath >/dev/null 2>&1; then
  fail "a refused path was recorded: $("$reg" query 'HKCU\Software\Halvane' /v InstallPath)"
fi
[ -z "$(find "$prefix" -name KestroPlayCrate.7z)" ] || fail "temporary archive left behind"
at 250 100
xdotool key Escape
wait_end
echo "setup errors: relative, empty, file in the way, forbidden characters, missing drive and too long refused with their causes; nothing recorded or left"
