#!/usr/bin/env bash
# Keys and the shortcut menu through the GTK host: Shift+Tab moves the focus backwards (the
# gallery prints each focus change); in the installer's path edit Ctrl+A selects the whole text,
# so what is typed next replaces it, and the right button's menu cuts to the clipboard that
# Ctrl+V pastes from. Each edit is compared with the edit of a window started with the expected text.
# Run under Xvfb with the build folder as $1.
build=$1
source "$(dirname "$0")/../support/e2e.sh"
export SKINUI_HOST=gtk SKINUI_PREFIX="$work/prefix" NO_AT_BRIDGE=1

# --- Shift+Tab ---------------------------------------------------------------------------------
start_window '^SkinUI Gallery$' "$build/demo/Gallery" 60000
sleep 1
read -r gx gy _ _ < <(geometry)
xdotool mousemove $((gx + 320)) $((gy + 300)) click 1
for key in Tab Tab Tab shift+Tab; do
  xdotool key "$key"
  sleep 0.3
done
mapfile -t focus < <(grep '^notify setfocus' "$work/out" | awk '{print $3}')
n=${#focus[@]}
# The last focus (after Shift+Tab) is the one before the focus the last Tab reached.
[ "$n" -ge 3 ] && [ "${focus[n - 1]}" = "${focus[n - 3]}" ] && [ "${focus[n - 2]}" != "${focus[n - 1]}" ] ||
  fail "Shift+Tab after three Tabs: focus went ${focus[*]}"
kill "$pid"
wait "$pid" 2>/dev/null || true
pid=

# --- Ctrl+A in the path edit -------------------------------------------------------------------
title='^Halvane安装程序$'
reg="$build/tools/reg/skinui-reg"
edit="294x28+104+176"
# Starts the installer with $1 recorded as its path and saves its edit's pixels as $2.
setup_with() {
  "$reg" add 'HKCU\Software\Halvane' /v InstallPath /t REG_SZ /d "$1" /f >/dev/null
  start_window "$title" "$build/setup/HalvaneSetup"
  find_window "$title"
  wid=$found
  sleep 0.5
  read -r wx wy _ _ < <(geometry)
}
shoot_edit() {
  xdotool mousemove $((wx + 260)) $((wy + 330)) click 1  # the panel: the edit loses the focus
  sleep 0.5
  import -window "$wid" "$work/shot.png"
  convert "$work/shot.png" -crop "$edit" +repage "$1"
  xdotool mousemove $((wx + 497)) $((wy + 18)) click 1
  wait "$pid" 2>/dev/null || true
  pid=
}
# same_edit A B WHAT: the two edit pictures are the same.
same_edit() {
  local diff
  diff=$(compare -metric AE "$1" "$2" null: 2>&1 || true)
  [ "$diff" = 0 ] || fail "after $3 the edit differs from the expected one ($diff pixels)"
}
setup_with 'C:\Games\Halvane\'
xdotool mousemove $((wx + 160)) $((wy + 190)) click 1
sleep 0.3
xdotool key ctrl+a
sleep 0.2
xdotool type 'D:\X\'
sleep 0.3
shoot_edit "$work/typed.png"
setup_with 'D:\X\'
shoot_edit "$work/expected.png"
same_edit "$work/typed.png" "$work/expected.png" "Ctrl+A and typing D:\\X\\"

# --- The edit's menu: cut all, type, paste ----------------------------------------------------
setup_with 'C:\Games\'
xdotool mousemove $((wx + 160)) $((wy + 190)) click 1
sleep 0.3
xdotool key ctrl+a
xdotool mousemove $((wx + 300)) $((wy + 190)) click 3
sleep 0.6
import -window root "$work/menu.png"
xdotool key t  # 剪切(T)
sleep 0.3
xdotool type 'D:\'
xdotool key ctrl+v
sleep 0.3
shoot_edit "$work/pasted.png"
setup_with 'D:\C:\Games\'
shoot_edit "$work/expected.png"
same_edit "$work/pasted.png" "$work/expected.png" "cut from the menu, typing and Ctrl+V"
echo "keyboard: Shift+Tab backwards, Ctrl+A, the edit's menu and the clipboard checked"
