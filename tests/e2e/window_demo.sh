#!/usr/bin/env bash
# A real borderless window on X: found by its title, of the asked size, moved by dragging its
# caption band, and showing its pixels. Run under Xvfb with the build folder as $1.
build=$1
demo="$build/demo/WindowDemo"
source "$(dirname "$0")/../support/e2e.sh"

# Without a display the GTK host refuses clearly.
if env -u DISPLAY -u WAYLAND_DISPLAY SKINUI_HOST=gtk "$demo" 10 10 100 2>"$work/err"; then
  fail "started without a display"
fi
grep -q "cannot open a display" "$work/err" || fail "no clear message without a display: $(cat "$work/err")"

start_window "^SkinUI Window Demo$" env SKINUI_HOST=gtk "$demo" 360 240 60000

wait_for_size 360 240

# Drag the caption band by (120, 80).
drag $((x + 60)) $((y + 15)) 120 80
moved=no
for _ in $(seq 30); do
  read -r nx ny nw nh < <(geometry)
  if [ "$nx" -eq $((x + 120)) ] && [ "$ny" -eq $((y + 80)) ]; then moved=yes; break; fi
  sleep 0.1
done
[ "$moved" = yes ] || fail "caption drag moved the window from $x,$y to $nx,$ny"

import -window "$wid" "$work/shot.png"
colours=$(convert "$work/shot.png" -format %k info:)
[ "$colours" -ge 2 ] || fail "screenshot has $colours colour(s)"
caption=$(convert "$work/shot.png" -format '%[pixel:p{10,10}]' info:)
body=$(convert "$work/shot.png" -format '%[pixel:p{10,200}]' info:)
[ "$caption" != "$body" ] || fail "caption and body look the same ($caption)"
echo "window demo: found, 360x240, dragged to $nx,$ny, $colours colours"
