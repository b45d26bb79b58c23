#!/usr/bin/env bash
# The gallery on a real display: every tab button switches to its page, and each page looks like
# its stored picture. The date page is given a fixed date, so only text hinting may move a few
# pixels. Run under Xvfb with the build folder as $1; SKINUI_UPDATE_GOLDEN=1 stores the pictures
# taken as the new stored ones instead of comparing.
build=$1
demo="$build/demo/Gallery"
golden_dir="${SKINUI_TEST_DATA:-$(dirname "$0")/../data}/golden"
# Pixels of one page that may differ by more than the fuzz. Repeated runs, idle and under a
# parallel build, differ in none; a few are allowed for the shading of a glyph's edge. One digit
# of the date changed is about 35, so the margin stays well below that.
tolerance=${GALLERY_TOLERANCE:-10}
source "$(dirname "$0")/../support/e2e.sh"

xdotool mousemove 0 0  # nothing hot in the pictures
start_window "^SkinUI Gallery$" env SKINUI_HOST=gtk "$demo" --date 2026-01-15 120000
for _ in $(seq 50); do
  read -r x y w h < <(geometry)
  [ "$w" -eq 640 ] && [ "$h" -eq 420 ] && break
  sleep 0.1
done
[ "$w" -eq 640 ] && [ "$h" -eq 420 ] || fail "size ${w}x${h}, expected 640x420"

actual_dir="$build/tests/golden-actual"
mkdir -p "$actual_dir"
# Every page is compared before failing, so one run leaves every differing picture to look at.
problems=
# Tab buttons are 60 wide with 2 between them, in the 28-high bar at the top.
for tab in 0 1 2 3 4 5 6 7 8 9; do
  xdotool mousemove $((x + tab * 62 + 30)) $((y + 14))
  sleep 0.2
  xdotool click 1
  xdotool mousemove 0 0
  if [ "$tab" -gt 0 ]; then
    for _ in $(seq 30); do
      grep -q "^notify selectchanged tab$tab$" "$work/out" && break
      sleep 0.1
    done
    grep -q "^notify selectchanged tab$tab$" "$work/out" || fail "tab $tab was not selected"
  fi
  sleep 0.5
  name="gallery_tab$tab.png"
  import -window "$wid" "$work/$name"
  if [ "${SKINUI_UPDATE_GOLDEN:-}" = 1 ]; then
    cp "$work/$name" "$golden_dir/$name"
  elif [ -f "$golden_dir/$name" ]; then
    differing=$(compare -metric AE -fuzz 10% "$work/$name" "$golden_dir/$name" null: 2>&1 || true)
    differing=${differing%% *}
    echo "tab $tab: $differing pixels differ"
    if ! [ "${differing%.*}" -le "$tolerance" ] 2>/dev/null; then
      cp "$work/$name" "$actual_dir/$name"
      problems+="tab $tab differs from $golden_dir/$name in $differing pixels; see $actual_dir/$name. "
    fi
  else
    cp "$work/$name" "$actual_dir/$name"
    problems+="no stored picture for tab $tab; this one is $actual_dir/$name. "
  fi
done
[ -z "$problems" ] || fail "$problems"
echo "gallery: ten tabs switched, each like its stored picture"
