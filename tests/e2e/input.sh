#!/usr/bin/env bash
# Real X input driving controls: hovering the box changes its pixels, a click on the button
# prints a "click" notification, and a wheel notch over the list scrolls its rows. Run under
# Xvfb with the build folder as $1.
build=$1
demo="$build/demo/InputDemo"
source "$(dirname "$0")/../support/e2e.sh"

start_window "^SkinUI Input Demo$" env SKINUI_HOST=gtk "$demo" 60000
wait_for_size 300 200

# pixel X Y: the colour of a client point of the window.
pixel() {
  import -window "$wid" "$work/shot.png"
  convert "$work/shot.png" -format "%[pixel:p{$1,$2}]" info:
}

# wait_pixel X Y NOT-COLOUR: the colour once it differs from NOT-COLOUR (or NOT-COLOUR itself
# after three seconds).
wait_pixel() {
  local c
  for _ in $(seq 30); do
    c=$(pixel "$1" "$2")
    [ "$c" != "$3" ] && break
    sleep 0.1
  done
  echo "$c"
}

# Start with the pointer away from every control.
xdotool mousemove $((x + 280)) $((y + 30))
sleep 0.3
box=$(pixel 60 35)
xdotool mousemove $((x + 60)) $((y + 35))
hot=$(wait_pixel 60 35 "$box")
[ "$hot" != "$box" ] || fail "hovering the box left it $box"
xdotool mousemove $((x + 280)) $((y + 30))
back=$(wait_pixel 60 35 "$hot")
[ "$back" = "$box" ] || fail "leaving the box gave $back, expected $box again"

xdotool mousemove $((x + 180)) $((y + 35))
sleep 0.2
xdotool click 1
for _ in $(seq 30); do
  grep -q "^notify click btn$" "$work/out" && break
  sleep 0.1
done
grep -q "^notify click btn$" "$work/out" || fail "no click notification: $(cat "$work/out")"

xdotool mousemove $((x + 150)) $((y + 95))
sleep 0.2
row=$(pixel 150 95)
xdotool click 5
scrolled=$(wait_pixel 150 95 "$row")
[ "$scrolled" != "$row" ] || fail "the wheel left the list at $row"
echo "input demo: hover $box -> $hot, click notified, wheel $row -> $scrolled"
