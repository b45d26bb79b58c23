#!/usr/bin/env bash
# A real borderless window on X: found by its title, of the asked size, moved by dragging its
# caption band, and showing its pixels. Run under Xvfb with the build folder as $1.
set -euo pipefail
build=$1
demo="$build/demo/WindowDemo"
work=$(mktemp -d)
pid=
cleanup() {
  [ -n "$pid" ] && kill "$pid" 2>/dev/null || true
  rm -rf "$work"
}
trap cleanup EXIT
fail() { echo "FAIL: $*" >&2; exit 1; }

# Without a display the GTK host refuses clearly.
if env -u DISPLAY -u WAYLAND_DISPLAY SKINUI_HOST=gtk "$demo" 10 10 100 2>"$work/err"; then
  fail "started without a display"
fi
grep -q "cannot open a display" "$work/err" || fail "no clear message without a display: $(cat "$work/err")"

# A loaded machine can refuse the very first connections to a fresh X server: start the demo
# again if it gave up before its window appeared.
wid=
for attempt in 1 2 3; do
  SKINUI_HOST=gtk "$demo" 360 240 60000 &
  pid=$!
  for _ in $(seq 300); do
    wid=$(xdotool search --name "^SkinUI Window Demo$" 2>/dev/null | head -n 1 || true)
    [ -n "$wid" ] && break
    kill -0 "$pid" 2>/dev/null || break
    sleep 0.1
  done
  [ -n "$wid" ] && break
  echo "window demo attempt $attempt did not show its window" >&2
  sleep 1
done
[ -n "$wid" ] || fail "window not found"

geometry() { xwininfo -id "$wid" | awk -F: '/Absolute upper-left X/{x=$2} /Absolute upper-left Y/{y=$2} /Width/{w=$2} /Height/{h=$2} END{print x+0, y+0, w+0, h+0}'; }
for _ in $(seq 50); do
  read -r x y w h < <(geometry)
  [ "$w" -eq 360 ] && [ "$h" -eq 240 ] && break
  sleep 0.1
done
[ "$w" -eq 360 ] && [ "$h" -eq 240 ] || fail "size ${w}x${h}, expected 360x240"

# Drag the caption band by (120, 80).
sleep 0.5
xdotool mousemove $((x + 60)) $((y + 15))
sleep 0.2
xdotool mousedown 1
sleep 0.3
for step in 1 2 3 4; do
  xdotool mousemove $((x + 60 + 30 * step)) $((y + 15 + 20 * step))
  sleep 0.15
done
xdotool mouseup 1
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
