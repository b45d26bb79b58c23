#!/usr/bin/env bash
# HalvaneSetup.exe under Wine, as a user runs it, in a fresh prefix: an install into a read-only
# folder shows the error box and registers nothing; an install by a click (Windows 10) writes the
# payload byte for byte, the shortcuts, the registry records and starts the launcher with the
# installer's path, without pinning; a second run (Windows 7) shows the earlier folder and
# installs there again, where the missing pin verbs are skipped quietly. Run under Xvfb with the
# Windows build folder as $1. The read-only folder is a read-only bind mount in a mount
# namespace of its own, so the test needs root (as the test command does).
build=$(cd "$1" && pwd)
root="$(cd "$(dirname "$0")/../.." && pwd)"
if [ -z "${SKINUI_INSTALL_NAMESPACE:-}" ]; then
  exec env SKINUI_INSTALL_NAMESPACE=1 unshare --mount --propagation private bash "$0" "$@"
fi
source "$root/tests/support/e2e.sh"
readonly_dir=
# Wine's own processes end before the prefix they write goes.
end_test() {
  [ -n "$pid" ] && kill "$pid" 2>/dev/null
  pid=
  wineserver -k 2>/dev/null || true
  [ -n "$readonly_dir" ] && umount "$readonly_dir"
  e2e_cleanup
}
trap end_test EXIT

setup="$build/setup/HalvaneSetup.exe"
export SKINUI_WINEPREFIX=$work/wineprefix
export WINEPREFIX=$SKINUI_WINEPREFIX
title='^Halvane安装程序$'
export PLAYCRATE_LIFETIME_MS=3000  # the launcher each install starts closes its window itself
wine_() { bash "$root/scripts/with-wine.sh" "$@"; }
drive_c=$WINEPREFIX/drive_c
shots=${SKINUI_E2E_SHOTS:-$work}

# Starts the installer and waits until its window shows, painted and ready for input.
start_setup() {
  start_window "$title" wine_ "$setup"
  for _ in $(seq 100); do
    xdotool search --onlyvisible --name "$title" >/dev/null 2>&1 && break
    sleep 0.1
  done
  sleep 2
}
# The window's controls, from the skin: the path edit, the install and close buttons.
click_at() {
  read -r x y _ _ < <(geometry)
  xdotool mousemove $((x + $1)) $((y + $2)) click 1
}
type_path() {
  click_at 251 190
  sleep 0.5
  xdotool key ctrl+a
  xdotool type --delay 20 "$1"
  sleep 0.3
}
# Waits for the installer to end; its exit code.
wait_setup() {
  local status=0
  wait "$pid" || status=$?
  pid=
  return $status
}
# KEY VALUE: the data of a REG_SZ value as `reg export` writes it (UTF-16, so that text outside
# ASCII survives, unlike the console output of `reg query`); nothing when it is not there.
reg_value() {
  rm -f "$work/key.reg"
  wine_ reg export "$1" 'Z:'"${work//\//\\}"'\key.reg' /y >/dev/null 2>&1 || return 0
  iconv -f UTF-16 -t UTF-8 "$work/key.reg" | tr -d '\r' |
    sed -n "s/^\"$2\"=\"\(.*\)\"\$/\1/p" | sed 's/\\\\/\\/g'
}
# LNK: lnkinfo's report on a shortcut. Wine 8 writes the relative path without its flag in the
# header, which a strict reader takes for a damaged file: then the report is of a copy with the
# flag set (the shortcut's strings are all there).
lnk_report() {
  lnkinfo "$1" 2>/dev/null && return 0
  cp "$1" "$work/flagged.lnk"
  local flags
  flags=$(od -An -tu1 -j20 -N1 "$1")
  printf "$(printf '\\x%02x' $((flags | 0x08)))" |
    dd of="$work/flagged.lnk" bs=1 seek=20 conv=notrunc 2>/dev/null
  lnkinfo "$work/flagged.lnk"
}
payload_tree() {
  rm -rf "$work/reference"
  7zz x -bso0 -bsp0 -o"$work/reference" "$build/assets/payload/payload.7z"
}

wine_ winecfg /v win10
uninstall_key='HKLM\SOFTWARE\Microsoft\Windows\CurrentVersion\Uninstall\Halvane'

# 1. A read-only folder: the extraction fails, the error box shows, nothing is registered.
readonly_dir=$drive_c/ReadOnly
mkdir -p "$readonly_dir"
mount --bind "$readonly_dir" "$readonly_dir"
mount -o remount,bind,ro "$readonly_dir"
start_setup
type_path 'C:\ReadOnly'
click_at 421 300
box=
for _ in $(seq 300); do
  box=$(xdotool search --name '^Halvane$' 2>/dev/null | head -n 1 || true)
  [ -n "$box" ] && break
  sleep 0.1
done
[ -n "$box" ] || fail "no error box for a read-only folder"
sleep 1
import -window root "$shots/install-readonly.png"
[ -z "$(reg_value "$uninstall_key" UninstallString)" ] || fail "uninstall entry after a failed install"
[ ! -e "$drive_c/users/Public/Desktop/Halvane.lnk" ] || fail "shortcut after a failed install"
# Without a window manager there is no activation: focus the box itself.
xdotool windowfocus "$box" key Return
for _ in $(seq 100); do
  [ -z "$(xdotool search --name '^Halvane$' 2>/dev/null || true)" ] && break
  sleep 0.1
done
click_at 497 18
wait_setup || fail "the installer ended with $? after its close button"

# 2. Windows 10: type a folder, click install; the installer ends on its own after the launch.
start_setup
import -window root "$shots/install-start.png"
type_path 'C:\Games\Halvane'
click_at 421 300
wait_setup || fail "the installer ended with $?"
installed="$drive_c/Games/Halvane"
payload_tree
diff -r -x PlayCrate.log -x uninstall.lst "$work/reference" "$installed" >/dev/null ||
  fail "the installed tree differs from the payload: $(diff -rq -x PlayCrate.log -x uninstall.lst "$work/reference" "$installed" | head -5)"
[ ! -e "$installed/Halvane.lnk" ] || fail "a pin shortcut on Windows 10"

setup_windows=$(wine_ winepath -w "$setup" | tr -d '\r')
log="$installed/PlayCrate.log"
grep -qxF 'argv0=C:\Games\Halvane\PlayCrate.exe' "$log" || fail "launcher: $(cat "$log")"
grep -qxF "arg=$setup_windows" "$log" || fail "launcher argument, not $setup_windows: $(cat "$log")"
[ "$(grep -c '^end$' "$log")" = 1 ] || fail "the launcher ran $(grep -c '^end$' "$log") times"

public_desktop=$(wine_ winepath -u 'C:\users\Public\Desktop' | tr -d '\r')
programs=$(find "$drive_c/users" -type d -path '*Start Menu/Programs' | head -n 1)
for link in "$public_desktop/Halvane.lnk" "$programs/Halvane/Halvane.lnk"; do
  [ -f "$link" ] || fail "no shortcut $link"
  info=$(lnk_report "$link") || fail "lnkinfo cannot read $link"
  for field in 'Local path.*: C:\\Games\\Halvane\\PlayCrate.exe' 'Description.*: Halvane' \
               'Working directory.*: C:\\Games\\Halvane\\' 'Relative path.*: C:\\Games\\Halvane\\'; do
    grep -q "^[[:space:]]*$field\$" <<<"$info" || fail "$link: no '$field' in $info"
  done
done

[ "$(reg_value 'HKCU\Software\Halvane' InstallPath)" = 'C:\Games\Halvane\' ] ||
  fail "InstallPath: $(reg_value 'HKCU\Software\Halvane' InstallPath)"
[ "$(reg_value "$uninstall_key" UninstallString)" = 'C:\Games\Halvane\Uninstall.exe' ] ||
  fail "UninstallString: $(reg_value "$uninstall_key" UninstallString)"
[ "$(reg_value "$uninstall_key" DisplayIcon)" = 'C:\Games\Halvane\PlayCrate.exe' ] ||
  fail "DisplayIcon: $(reg_value "$uninstall_key" DisplayIcon)"
[ "$(reg_value "$uninstall_key" DisplayName)" = 'Halvane卸载' ] ||
  fail "DisplayName: $(reg_value "$uninstall_key" DisplayName)"

# 3. Windows 7, a second run: the window shows the earlier folder, so a click installs there
# again; the pin shortcut is written and hidden, the pin verbs Wine lacks are skipped quietly.
wine_ winecfg /v win7
start_setup
import -window root "$shots/install-again.png"
click_at 421 300
wait_setup || fail "the second run ended with $?"
[ "$(grep -c '^end$' "$log")" = 2 ] || fail "the second run did not install into the earlier folder"
[ ! -e "$drive_c/Program Files/Halvane" ] || fail "the second run installed into the default folder"
[ -f "$installed/Halvane.lnk" ] || fail "no pin shortcut on Windows 7"
echo "install: read-only folder refused, payload, shortcuts, records, launch and a second run checked"
