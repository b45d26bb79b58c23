#!/usr/bin/env bash
# A real window on X keeps to the size limits it gives in WM_GETMINMAXINFO when it is sized
# from outside (here by xdotool, as a window manager would) and when the user drags one of the
# sizing borders it answers in WM_NCHITTEST. Run under Xvfb with the build folder as $1.
build=$1
helper="$build/tests/childproc_SizeLimitsWindow"
source "$(dirname "$0")/../support/e2e.sh"

start_window "^SkinUI Size Limits$" env SKINUI_HOST=gtk "$helper" 60000

# Waits until the X window and the window's own last WM_SIZE both say W x H.
expect_size() {
  local want_w=$1 want_h=$2 why=$3 x y w h last
  for _ in $(seq 50); do
    read -r x y w h < <(geometry)
    last=$(grep '^size ' "$work/out" | tail -n 1 || true)
    [ "$w" -eq "$want_w" ] && [ "$h" -eq "$want_h" ] && [ "$last" = "size $want_w $want_h" ] && return 0
    sleep 0.1
  done
  fail "$why: X says ${w}x${h}, the window says '${last}', expected ${want_w}x${want_h}"
}

expect_size 300 250 "first showing"
xdotool windowsize "$wid" 100 80
expect_size 200 150 "sized below the minimum"
xdotool windowsize "$wid" 900 700
expect_size 500 400 "sized above the maximum"
xdotool windowsize "$wid" 320 260
expect_size 320 260 "sized inside the limits"

# Drag the bottom-right sizing corner far out, then far in.
read -r x y w h < <(geometry)
drag $((x + w - 4)) $((y + h - 4)) 400 400
expect_size 500 400 "dragged out past the maximum"
read -r x y w h < <(geometry)
drag $((x + w - 4)) $((y + h - 4)) -400 -400
expect_size 200 150 "dragged in past the minimum"
echo "size limits: kept to 200x150 ... 500x400 when sized from outside and by a border drag"
