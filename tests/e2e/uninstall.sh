#!/usr/bin/env bash
# Install, then uninstall, on X: the installed Uninstall.exe asks first (in Chinese), then
# removes what the install wrote: files and folders, shortcuts, pins and the registry records.
# The prefix's drive C is as before the install apart from the files the user added (and the
# folders that hold them); "no" at the question removes nothing. Run under Xvfb with the build
# folder as $1.
build=$1
tool="$build/tools/install/halvane_install"
reg="$build/tools/reg/skinui-reg"
source "$(dirname "$0")/../support/e2e.sh"

export SKINUI_PREFIX="$work/prefix" SKINUI_HOST=gtk SKINUI_WINVER=6.1 NO_AT_BRIDGE=1
drive_c="$SKINUI_PREFIX/drive_c"
installed="$drive_c/Program Files/Halvane"
uninstall_key='HKLM\SOFTWARE\Microsoft\Windows\CurrentVersion\Uninstall\Halvane'

# Drive C's names, but for the folders the system makes on first use (Temp, the pin folders).
tree() {
  (cd "$drive_c" && find . | grep -v -e '/AppData/Local/Temp$' -e '/User Pinned' | LC_ALL=C sort)
}

# Answers the uninstaller's box titled $1 with the key $2 (Return: the default button).
answer_box() {
  local box=
  for _ in $(seq 200); do
    box=$(xdotool search --onlyvisible --name "^$1\$" 2>/dev/null | head -n 1 || true)
    [ -n "$box" ] && break
    kill -0 "$pid" 2>/dev/null || fail "the uninstaller ended before its box '$1'"
    sleep 0.05
  done
  [ -n "$box" ] || fail "no box '$1'"
  sleep 0.3
  xdotool windowfocus "$box" 2>/dev/null || true
  xdotool key "$2"
}

"$reg" query 'HKCU\Software' >/dev/null 2>&1 || true  # makes the prefix
tree >"$work/before"
"$tool" 'C:\Program Files\Halvane' >"$work/install.out" 2>"$work/install.err" ||
  fail "install: $(cat "$work/install.err")"
[ -f "$installed/uninstall.lst" ] || fail "the installer wrote no uninstall.lst"
# The user's own files, added after the install.
mkdir -p "$installed/saves"
echo mine >"$installed/saves/slot1.sav"
echo mine >"$installed/img/mine.txt"

# "No" removes nothing.
"$installed/Uninstall.exe" >"$work/out" 2>"$work/err" &
pid=$!
answer_box 'Halvane卸载' alt+n
wait "$pid" || fail "the uninstaller exited $? after no"
pid=
[ -f "$installed/PlayCrate.exe" ] && [ -f "$installed/Uninstall.exe" ] || fail "no removed files"

"$installed/Uninstall.exe" >"$work/out" 2>"$work/err" &
pid=$!
answer_box 'Halvane卸载' Return
answer_box 'Halvane卸载' Return
status=0
wait "$pid" || status=$?
pid=
[ "$status" -eq 0 ] || fail "the uninstaller exited $status: $(cat "$work/err")"

tree >"$work/after"
{ cat "$work/before"; printf '%s\n' './Program Files/Halvane' './Program Files/Halvane/img' \
    './Program Files/Halvane/img/mine.txt' './Program Files/Halvane/saves' \
    './Program Files/Halvane/saves/slot1.sav'; } | LC_ALL=C sort >"$work/expected"
diff "$work/expected" "$work/after" >"$work/diff" || fail "drive C after the uninstall: $(cat "$work/diff")"
if "$reg" query "$uninstall_key" >/dev/null 2>&1; then fail "the uninstall entry stayed"; fi
if "$reg" query 'HKCU\Software\Halvane' /v InstallPath >/dev/null 2>&1; then
  fail "the install path record stayed"
fi
grep -q $'^taskbarunpin\t.*Halvane.lnk$' "$SKINUI_PREFIX/shell-verbs.log" ||
  fail "not unpinned: $(cat "$SKINUI_PREFIX/shell-verbs.log")"
echo "uninstall: no kept everything; yes left drive C as before but for the user's files"
