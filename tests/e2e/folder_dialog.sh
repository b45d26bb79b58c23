#!/usr/bin/env bash
# The installer's folder browser on X: it opens at the nearest existing folder of the path in the
# edit, so Select at once answers that folder, by its drive letter; a typed Windows path is taken
# as typed (and no folder of that name is made); the terminal stays free of GTK and dconf
# warnings. What the edit shows afterwards is compared with the edit of a window started with
# the expected path recorded. Run under Xvfb with the build folder as $1.
build=$1
program="$build/setup/HalvaneSetup"
reg="$build/tools/reg/skinui-reg"
source "$(dirname "$0")/../support/e2e.sh"

export SKINUI_HOST=gtk SKINUI_PREFIX="$work/prefix" NO_AT_BRIDGE=1
unset DBUS_SESSION_BUS_ADDRESS
title='^Halvane安装程序$'
edit="294x28+104+176"

record() { "$reg" add 'HKCU\Software\Halvane' /v InstallPath /t REG_SZ /d "$1" /f >/dev/null; }

start_setup() {
  start_window "$title" "$program" 2>>"$work/err"
  find_window "$title"
  wid=$found
  sleep 0.5
  read -r wx wy _ _ < <(geometry)
}

stop_setup() {
  xdotool mousemove $((wx + 497)) $((wy + 18)) click 1
  for _ in $(seq 100); do kill -0 "$pid" 2>/dev/null || break; sleep 0.05; done
  wait "$pid" 2>/dev/null || true
  pid=
}

# Saves the edit's pixels as $1.
shoot_edit() {
  xdotool mousemove $((wx + 260)) $((wy + 300))
  sleep 0.4
  import -window "$wid" "$work/shot.png"
  convert "$work/shot.png" -crop "$edit" +repage "$1"
}

# Clicks the browser's Select button (its lower right corner).
click_select() {
  local bx by bw bh
  read -r bx by bw bh < <(wid=$box geometry)
  xdotool mousemove $((bx + bw - 40)) $((by + bh - 22)) click 1
}

# Opens the browser, lets $@ act on it, then waits for it to go.
browse() {
  xdotool mousemove $((wx + 446)) $((wy + 190)) click 1
  find_window '^请选择路径'
  box=$found
  sleep 0.5
  "$@"
  for _ in $(seq 100); do
    [ -z "$(xdotool search --onlyvisible --name '^请选择路径' 2>/dev/null || true)" ] && return 0
    sleep 0.05
  done
  fail "the folder browser stayed open"
}

# expect_edit NAME PATH: the edit shot NAME equals the edit of a window that starts with PATH.
expect_edit() {
  record "$2"
  start_setup
  shoot_edit "$work/$1.expected.png"
  stop_setup
  diff=$(compare -metric AE "$work/$1.png" "$work/$1.expected.png" null: 2>&1 || true)
  [ "$diff" = 0 ] || fail "$1: the edit differs from one showing $2 ($diff pixels)"
}

mkdir -p "$work/prefix/drive_c/Games"
record 'C:\Games\New\Halvane\'
start_setup
browse click_select
shoot_edit "$work/select.png"
stop_setup
expect_edit select 'C:\Games\Halvane\'

record 'C:\Games\New\Halvane\'
start_setup
type_path() {
  xdotool key ctrl+l
  sleep 0.3
  xdotool type "$1"
  sleep 0.3
  xdotool key Return
}
browse type_path 'D:\Play'
shoot_edit "$work/typed.png"
stop_setup
expect_edit typed 'D:\Play\Halvane\'
[ -z "$(find "$work/prefix" -name 'D:*' -not -path '*/dosdevices/*')" ] ||
  fail "a folder named after the typed path was made"

! grep -E 'WARNING|CRITICAL' "$work/err" || fail "warnings on the terminal"
echo "folder dialog: start folder, drive letter, typed path and a quiet terminal checked"
