#!/usr/bin/env bash
# A second run finds the earlier install: the install button reads as a reinstall and a line
# says so, in the skin's look; a path elsewhere brings the first look back, and the reinstall
# itself works. Run under Xvfb with the build folder as $1.
build=$1
program="$build/setup/HalvaneSetup"
source "$(dirname "$0")/../support/e2e.sh"

crop() { import -window "$wid" -crop "$2" +repage "$work/$1.png"; }
same() { [ "$(compare -metric AE "$work/$1.png" "$work/$2.png" null: 2>&1 | cut -d' ' -f1)" = 0 ]; }
button=130x40+356+280 line=266x20+220+212
shots() {
  sleep 0.4
  crop "$1-button" $button
  crop "$1-line" $line
}

prefix="$work/prefix"
open_setup "$prefix"
xdotool mousemove 0 0
shots first
at 421 300
xdotool click 1
wait_end

open_setup "$prefix"
xdotool mousemove 0 0
shots again
import -window "$wid" "$work/again.png"
if same first-button again-button; then fail "the install button does not read as a reinstall"; fi
if same first-line again-line; then fail "no line says an install is there"; fi

# Another folder: the first look again.
at 250 190
xdotool click 1
sleep 0.3
xdotool type --delay 5 'C:\Games\Elsewhere'
xdotool mousemove 0 0
shots elsewhere
same first-button elsewhere-button || fail "a new folder still reads as a reinstall"
same first-line elsewhere-line || fail "a new folder still says an install is there"

# Back to the earlier folder: round the Tab order to the path, which selects it for typing.
at 250 100
xdotool key Tab Tab Tab Tab Tab Tab Tab
sleep 0.3
xdotool type --delay 5 'C:\Program Files\Halvane\'
at 421 300
xdotool click 1
wait_end
grep -qx $'HalvaneInstall 1\r' "$prefix/drive_c/Program Files/Halvane/uninstall.lst" ||
  fail "the reinstall left no list"
echo "setup reinstall: the earlier install is shown on the button and in a line; elsewhere looks new; the reinstall works"
