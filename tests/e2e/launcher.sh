#!/usr/bin/env bash
# The installed launcher on X: started the way the installer starts it (from the install folder,
# the installer's path as its argument), it records its command line before its window shows,
# shows the installed version and folder in its own skin, and closes on Escape, on its OK button
# and on its close button, ending with 0 each time. Run under Xvfb with the build folder as $1.
build=$1
source "$(dirname "$0")/../support/e2e.sh"
unset PLAYCRATE_LIFETIME_MS

export SKINUI_HOST=gtk SKINUI_PREFIX="$work/prefix" NO_AT_BRIDGE=1
reg="$build/tools/reg/skinui-reg"
installed="$SKINUI_PREFIX/drive_c/Program Files/Halvane"
mkdir -p "$installed"
cp "$build/assets/payload/programs/PlayCrate.exe" "$installed/"
"$reg" add 'HKLM\SOFTWARE\Microsoft\Windows\CurrentVersion\Uninstall\Halvane' /v DisplayVersion \
  /t REG_SZ /d 1.0.0.0 /f >/dev/null

# Starts the launcher, waits for its window, sets wx wy; checks the record came first.
start_launcher() {
  rm -f "$installed/PlayCrate.log"
  start_window '^Halvane$' "$installed/PlayCrate.exe" 'Z:\setup\HalvaneSetup.exe'
  find_window '^Halvane$'
  wid=$found
  sleep 0.5
  [ -s "$installed/PlayCrate.log" ] || fail "no record of the start before the window"
  local ww wh
  read -r wx wy ww wh < <(geometry)
  [ "$ww" -eq 440 ] && [ "$wh" -eq 260 ] || fail "launcher window is ${ww}x$wh"
}

# Waits for the launcher to end by itself and checks its exit code.
expect_closed() {
  local status=0
  for _ in $(seq 100); do kill -0 "$pid" 2>/dev/null || break; sleep 0.05; done
  kill -0 "$pid" 2>/dev/null && fail "$1 did not close the launcher"
  wait "$pid" || status=$?
  pid=
  [ "$status" -eq 0 ] || fail "the launcher exited $status after $1"
}

start_launcher
grep -qx 'arg=Z:\\setup\\HalvaneSetup.exe' "$installed/PlayCrate.log" ||
  fail "record: $(cat "$installed/PlayCrate.log")"
import -window "$wid" "$work/launcher.png"
# The texts are drawn: the panel's rows hold light text pixels (version and folder lines).
for row in 160 182; do
  bright=$(convert "$work/launcher.png" -crop 300x1+32+$row -colorspace gray -threshold 60% \
    -format '%[fx:mean*w]' info:)
  awk -v b="$bright" 'BEGIN { exit !(b >= 10) }' || fail "row $row has no text ($bright bright pixels)"
done
xdotool mousemove $((wx + 200)) $((wy + 100)) click 1  # activates it; the panel does nothing
sleep 0.3
xdotool key Escape
expect_closed Escape

start_launcher
xdotool mousemove $((wx + 369)) $((wy + 231)) click 1
expect_closed "the OK button"

start_launcher
xdotool mousemove $((wx + 421)) $((wy + 16)) click 1
expect_closed "the close button"
echo "launcher: record, window, texts and three ways to close checked"
