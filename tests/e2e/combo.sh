#!/usr/bin/env bash
# A combo on a real display: a click opens its drop-down below it, a click on the third item
# picks it ("itemselect" with index 2) and closes the drop-down. Run under Xvfb with the build
# folder as $1.
build=$1
demo="$build/demo/ComboDemo"
source "$(dirname "$0")/../support/e2e.sh"

start_window "^SkinUI Combo Demo$" env SKINUI_HOST=gtk "$demo" 60000
wait_for_size 300 200

xdotool mousemove $((x + 100)) $((y + 32))
sleep 0.2
xdotool click 1
for _ in $(seq 30); do
  grep -q "^notify dropdown combo" "$work/out" && break
  sleep 0.1
done
grep -q "^notify dropdown combo" "$work/out" || fail "the combo did not drop down: $(cat "$work/out")"
sleep 0.3

# The drop-down starts under the combo (y 44); its rows are 24 high after a 1-pixel inset.
xdotool mousemove $((x + 100)) $((y + 44 + 1 + 2 * 24 + 12))
sleep 0.2
xdotool click 1
for _ in $(seq 30); do
  grep -q "^notify itemselect combo 2$" "$work/out" && break
  sleep 0.1
done
grep -q "^notify itemselect combo 2$" "$work/out" || fail "no pick of item 2: $(cat "$work/out")"
echo "combo demo: dropped down and picked item 2"
