#!/usr/bin/env bash
# Closing during an install asks first and holds the install meanwhile. "No" lets it finish, with
# the list of what it created in the install folder; "Yes" (Escape, or the close button) takes
# it back, newest first, keeps what was there before and ends the program.
# Run under Xvfb with the build folder as $1.
build=$1
program="$build/setup/HalvaneSetup"
reg="$build/tools/reg/skinui-reg"
source "$(dirname "$0")/../support/e2e.sh"

install_x=421 install_y=300
question='^message: 安装尚未完成'
# Each entry waits a little, so the close always lands while entries remain, however fast the
# machine is; the script itself waits only for what the installer logs.
export HALVANE_TEST_STEP_DELAY_MS=150

# --- No: the install goes on --------------------------------------------------------------------
prefix="$work/prefix-no"
open_setup "$prefix"
at $install_x $install_y
xdotool click 1 mousemove $((wx + 250)) $((wy + 100)) key Escape
wait_line "$work/log" "$question"
dialog_click '^Halvane$' 75 85  # the second button: No
wait_line "$work/log" '^answer: 7$'
wait_end
installed="$prefix/drive_c/Program Files/Halvane"
[ -f "$installed/PlayCrate.exe" ] || fail "the install did not finish after No"
head -n 1 "$installed/uninstall.lst" | grep -qx $'HalvaneInstall 1\r' || fail "no install list"
grep -qx $'F PlayCrate.exe\r' "$installed/uninstall.lst" || fail "launcher not listed"
grep -q $'^L .*Halvane.lnk\r$' "$installed/uninstall.lst" || fail "shortcuts not listed"

# --- Yes: taken back --------------------------------------------------------------------------
prefix="$work/prefix-yes"
mkdir -p "$prefix/drive_c/Program Files/Halvane/saves"
echo "the user's" >"$prefix/drive_c/Program Files/Halvane/saves/slot1"
open_setup "$prefix"
# The prefix's own temporary folder may appear on first use; everything else stays as it was.
tree() { (cd "$prefix/drive_c" && find . -path ./users/*/AppData/Local/Temp -prune -o -print | sort); }
before=$(tree)
at $install_x $install_y
xdotool click 1 mousemove $((wx + 497)) $((wy + 18)) click 1
wait_line "$work/log" "$question"
import -window root "$work/question.png"
dialog_key '^Halvane$' Return  # the first button: Yes
wait_line "$work/log" '^answer: 6$'
wait_end
after=$(tree)
[ "$before" = "$after" ] || fail "not taken back: $(diff <(echo "$before") <(echo "$after"))"
[ "$(cat "$prefix/drive_c/Program Files/Halvane/saves/slot1")" = "the user's" ] ||
  fail "the user's file changed"
if "$reg" query 'HKCU\Software\Halvane' /v InstallPath >/dev/null 2>&1; then
  fail "the cancelled install stayed recorded"
fi
if "$reg" query 'HKLM\SOFTWARE\Microsoft\Windows\CurrentVersion\Uninstall\Halvane' >/dev/null 2>&1; then
  fail "the cancelled install was registered"
fi
[ -z "$(find "$prefix" -name KestroPlayCrate.7z)" ] || fail "temporary archive left behind"
echo "setup cancel: No lets the install finish with its list; Yes takes it back and keeps the user's files"
