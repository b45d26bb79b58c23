#!/usr/bin/env bash
# The installer by keyboard: nothing has the focus at the start, so Enter and Space do nothing;
# Tab goes path, browse, the options, install, close and back to the path, and each shows its
# focus; tabbing into the path selects it, so typing replaces it, and Enter there installs;
# Escape closes. Run under Xvfb with the build folder as $1.
build=$1
program="$build/setup/HalvaneSetup"
source "$(dirname "$0")/../support/e2e.sh"

# crop NAME GEOMETRY: a picture of part of the window.
crop() { import -window "$wid" -crop "$2" +repage "$work/$1.png"; }
same() { [ "$(compare -metric AE "$work/$1.png" "$work/$2.png" null: 2>&1 | cut -d' ' -f1)" = 0 ]; }

# The pictures a focus changes: the path's frame, browse, the first option's box, install, close.
parts=(path:294x28+104+176 browse:80x28+406+176 option:16x16+32+242 install:130x40+356+280
       close:30x30+482+3)
snap() {
  sleep 0.4
  for part in "${parts[@]}"; do crop "$1-${part%%:*}" "${part#*:}"; done
}
# focused_only STEP NAME: at STEP exactly the part NAME differs from the start.
focused_only() {
  local part name
  for part in "${parts[@]}"; do
    name=${part%%:*}
    if [ "$name" = "$2" ]; then
      if same "start-$name" "$1-$name"; then fail "step $1: $name shows no focus"; fi
    else
      same "start-$name" "$1-$name" || fail "step $1: $name changed, only $2 should"
    fi
  done
}

prefix="$work/prefix"
open_setup "$prefix"
at 250 100  # the keyboard follows the pointer on a bare X server; nothing hot there
snap start
xdotool key Return space
sleep 0.5
snap idle
for part in "${parts[@]}"; do
  same "start-${part%%:*}" "idle-${part%%:*}" || fail "Enter or Space changed ${part%%:*}"
done
if grep -aq '^message:' "$work/log"; then fail "Enter or Space at the start did something"; fi
[ ! -e "$prefix/drive_c/Program Files/Halvane" ] || fail "Enter or Space at the start installed"

# The parts to see focused after each Tab; "-" for the start-menu and taskbar options, whose
# boxes are not among the pictures.
step=0
for name in path browse option - - install close path; do
  xdotool key Tab
  step=$((step + 1))
  [ "$name" = - ] && continue
  snap $step
  focused_only $step $name
done
# Tabbed into, the path is selected: typing replaces it, Enter installs there.
xdotool type --delay 5 'C:\Games\Keyed'
xdotool key Return
wait_end
[ -f "$prefix/drive_c/Games/Keyed/PlayCrate.exe" ] || fail "Enter in the path did not install there"

# Escape closes when no install runs.
open_setup "$work/prefix2"
at 250 100
xdotool key Escape
wait_end
echo "setup keyboard: no focus at start, Tab order with visible focus, path selected and replaced, Enter installs, Escape closes"
