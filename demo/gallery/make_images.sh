#!/usr/bin/env bash
# Draws the gallery skin's images into the folder given as the first argument.
# Needs ImageMagick's convert.
#
# State sprites hold their states side by side, in the order the comment above each one gives;
# skin.xml and child.xml cut them with source='...'. Frames and tracks are small nine-piece
# images that the markup stretches with corner='...'.
set -euo pipefail
out=${1:?usage: make_images.sh <output folder>}
mkdir -p "$out"
tmp=$(mktemp -d)
trap 'rm -rf "$tmp"' EXIT
cv() { convert "$@"; }

accent='#2f7dd0'
accent_light='#4a95e6'
accent_dark='#2464a8'
border='#b4bfcc'
border_hot='#7fa4d4'
muted='#8a96a6'

# side_by_side OUTPUT INPUT...: the inputs joined left to right.
side_by_side() {
  local target=$1
  shift
  cv "$@" +append "$target"
}

# --- Tab buttons (60x28): normal, hot, selected ---
cv -size 60x28 xc:none "$tmp/t0.png"
cv -size 60x28 xc:'rgba(255,255,255,0.08)' "$tmp/t1.png"
cv -size 60x28 xc:'#3a4456' -fill "$accent_light" -draw "rectangle 0,25 59,27" "$tmp/t2.png"
side_by_side "$out/tab.png" "$tmp"/t{0,1,2}.png

# --- Push buttons (32x30, nine-piece with corners 6): normal, hot, pushed, disabled ---
button() {  # $1 top colour, $2 bottom colour, $3 border, $4 highlight, $5 output
  cv -size 32x30 gradient:"$1"-"$2" \
     \( -size 32x30 xc:none -fill white -draw "roundrectangle 0,0 31,29 5,5" \) \
     -compose copy_opacity -composite -compose over \
     -fill none -stroke "$3" -strokewidth 1 -draw "roundrectangle 0.5,0.5 31.5,29.5 5,5" \
     -stroke none -fill "$4" -draw "rectangle 5,1 26,1" "$5"
}
button "$accent_light" "$accent" "$accent_dark" 'rgba(255,255,255,0.35)' "$tmp/b0.png"
button '#5ca6f4' '#3a8cdf' "$accent_dark" 'rgba(255,255,255,0.45)' "$tmp/b1.png"
button '#2462a4' '#2f76c4' '#1d4f86' 'rgba(0,0,0,0.12)' "$tmp/b2.png"
button '#d5dbe2' '#c8d0d9' '#b4bdc8' 'rgba(255,255,255,0.4)' "$tmp/b3.png"
side_by_side "$out/button.png" "$tmp"/b{0,1,2,3}.png

# The quieter button beside it: white, a grey frame (same states and size).
button '#ffffff' '#eef1f5' "$border" 'rgba(255,255,255,0.9)' "$tmp/s0.png"
button '#ffffff' '#f3f7fc' "$border_hot" 'rgba(255,255,255,0.9)' "$tmp/s1.png"
button '#e1e6ec' '#eef1f5' "$border" 'rgba(0,0,0,0.05)' "$tmp/s2.png"
button '#f3f5f7' '#f3f5f7' '#d3d9e0' 'rgba(255,255,255,0)' "$tmp/s3.png"
side_by_side "$out/button_light.png" "$tmp"/s{0,1,2,3}.png

# --- Check boxes (16x16): empty, empty hot, ticked, ticked hot, disabled ---
check() {  # $1 fill, $2 border, $3 tick colour or none, $4 output
  cv -size 16x16 xc:none -fill "$1" -stroke "$2" -strokewidth 1 \
     -draw "roundrectangle 1.5,1.5 14.5,14.5 3,3" \
     -fill none -stroke "$3" -strokewidth 2 -draw "polyline 4.5,8.5 7,11 11.5,5.5" "$4"
}
check white "$muted" none "$tmp/k0.png"
check '#eef5fd' "$accent" none "$tmp/k1.png"
check "$accent" "$accent_dark" white "$tmp/k2.png"
check "$accent_light" "$accent" white "$tmp/k3.png"
check '#eef1f4' '#c3cad3' none "$tmp/k4.png"
side_by_side "$out/check.png" "$tmp"/k{0,1,2,3,4}.png

# --- Option (radio) buttons (16x16): empty, empty hot, chosen, chosen hot ---
radio() {  # $1 fill, $2 border, $3 dot colour or none, $4 output
  cv -size 16x16 xc:none -fill "$1" -stroke "$2" -strokewidth 1 -draw "circle 8,8 8,1.5" \
     -stroke none -fill "$3" -draw "circle 8,8 8,4.5" "$4"
}
radio white "$muted" none "$tmp/r0.png"
radio '#eef5fd' "$accent" none "$tmp/r1.png"
radio white "$accent" "$accent" "$tmp/r2.png"
radio '#eef5fd' "$accent_light" "$accent_light" "$tmp/r3.png"
side_by_side "$out/radio.png" "$tmp"/r{0,1,2,3}.png

# --- Progress: a sunken track and a green fill (12x12, nine-piece with corners 5); the
# vertical bar's fill is the same turned on its side ---
cv -size 12x12 xc:none -fill '#dde3ea' -stroke '#c3cbd5' -strokewidth 1 \
   -draw "roundrectangle 0.5,0.5 11.5,11.5 5,5" \
   -stroke none -fill 'rgba(0,0,0,0.06)' -draw "rectangle 4,1 7,2" "$out/progress_bk.png"
cv -size 12x12 gradient:'#5fcf8e'-'#2e9e5b' \
   \( -size 12x12 xc:none -fill white -draw "roundrectangle 0,0 11,11 5,5" \) \
   -compose copy_opacity -composite -compose over \
   -fill 'rgba(255,255,255,0.35)' -draw "rectangle 4,2 7,3" "$out/progress_fg.png"
cv "$out/progress_fg.png" -rotate 90 "$out/vprogress_fg.png"

# --- Slider: a thin track and its blue part (12x20, the track in rows 8..12, nine-piece with
# corners 4 left and right) and the thumb (20x20): normal, hot, pushed ---
cv -size 12x20 xc:none -fill '#d3dae3' -draw "roundrectangle 0,8 11,12 2,2" "$out/slider_bk.png"
cv -size 12x20 xc:none -fill "$accent" -draw "roundrectangle 0,8 11,12 2,2" "$out/slider_fg.png"
thumb() {  # $1 fill, $2 ring, $3 output
  cv -size 20x20 xc:none -fill 'rgba(0,0,0,0.18)' -draw "circle 10,11 10,2" -blur 0x1 \
     -fill "$1" -stroke "$2" -strokewidth 2 -draw "circle 10,10 10,3" "$3"
}
thumb white "$accent" "$tmp/h0.png"
thumb '#e3efff' "$accent_light" "$tmp/h1.png"
thumb "$accent" "$accent_dark" "$tmp/h2.png"
side_by_side "$out/slider_thumb.png" "$tmp"/h{0,1,2}.png

# --- Edit frame (24x28, nine-piece with corners 4): normal, hot, focused ---
frame() {  # $1 border, $2 border width, $3 output
  cv -size 24x28 xc:none -fill white -stroke "$1" -strokewidth "$2" \
     -draw "roundrectangle 0.5,0.5 23.5,27.5 4,4" "$3"
}
frame "$border" 1 "$tmp/e0.png"
frame "$border_hot" 1 "$tmp/e1.png"
frame "$accent" 2 "$tmp/e2.png"
side_by_side "$out/edit.png" "$tmp"/e{0,1,2}.png

# --- Combo (48x28, nine-piece with corners 4,4,28,4: the arrow lives in the right border):
# normal, hot, pushed ---
combo() {  # $1 frame, $2 arrow colour, $3 button fill, $4 output
  cv "$1" -fill "$3" -draw "rectangle 24,2 45,25" \
     -stroke '#dde3ea' -strokewidth 1 -draw "line 23.5,5 23.5,22" \
     -fill none -stroke "$2" -strokewidth 2 -draw "polyline 31,12 35,16 39,12" "$4"
}
cv -size 48x28 xc:none -fill white -stroke "$border" -strokewidth 1 \
   -draw "roundrectangle 0.5,0.5 47.5,27.5 4,4" "$tmp/cf0.png"
cv -size 48x28 xc:none -fill white -stroke "$border_hot" -strokewidth 1 \
   -draw "roundrectangle 0.5,0.5 47.5,27.5 4,4" "$tmp/cf1.png"
cv -size 48x28 xc:none -fill white -stroke "$accent" -strokewidth 2 \
   -draw "roundrectangle 1,1 47,27 4,4" "$tmp/cf2.png"
combo "$tmp/cf0.png" "$muted" white "$tmp/c0.png"
combo "$tmp/cf1.png" "$accent" '#f2f7fd' "$tmp/c1.png"
combo "$tmp/cf2.png" "$accent_dark" '#e3efff' "$tmp/c2.png"
side_by_side "$out/combo.png" "$tmp"/c{0,1,2}.png

# --- Date field (48x28, corners 4,4,28,4): the frame with a calendar sign at the right ---
cv "$tmp/cf0.png" -stroke '#dde3ea' -strokewidth 1 -draw "line 23.5,5 23.5,22" \
   -fill none -stroke "$muted" -strokewidth 1 -draw "roundrectangle 29.5,8.5 40.5,19.5 1,1" \
   -fill "$muted" -stroke none -draw "rectangle 30,9 40,11" \
   -draw "rectangle 32,14 33,15" -draw "rectangle 35,14 36,15" -draw "rectangle 38,14 39,15" \
   -draw "rectangle 32,17 33,18" -draw "rectangle 35,17 36,18" \
   -fill "$muted" -draw "rectangle 32,6 33,9" -draw "rectangle 37,6 38,9" "$out/date.png"

# --- Scroll bar (16 wide): arrow buttons (16x16: normal, hot, pushed), the thumb (16x24,
# nine-piece with corners 4,6,4,6: normal, hot, pushed) and the groove (16x16) ---
arrow_button() {  # $1 background or none, $2 arrow colour, $3 "up" or "down", $4 output
  local points="4.5,10 8,6 11.5,10"
  [ "$3" = down ] && points="4.5,6 8,10 11.5,6"
  cv -size 16x16 xc:none -fill "$1" -draw "roundrectangle 1,1 14,14 3,3" \
     -fill none -stroke "$2" -strokewidth 1.5 -draw "polyline $points" "$4"
}
for dir in up down; do
  arrow_button none "$muted" $dir "$tmp/a0.png"
  arrow_button '#dfe5ec' '#5f6b7a' $dir "$tmp/a1.png"
  arrow_button '#c9d1db' '#3f4a58' $dir "$tmp/a2.png"
  side_by_side "$out/scroll_$dir.png" "$tmp"/a{0,1,2}.png
done
scroll_thumb() {  # $1 colour, $2 output
  cv -size 16x24 xc:none -fill "$1" -draw "roundrectangle 4,1 11,22 3,3" "$2"
}
scroll_thumb '#bcc5d0' "$tmp/m0.png"
scroll_thumb '#9ba7b6' "$tmp/m1.png"
scroll_thumb '#7d8a9a' "$tmp/m2.png"
side_by_side "$out/scroll_thumb.png" "$tmp"/m{0,1,2}.png
cv -size 16x16 xc:'#f3f5f8' -fill '#e2e7ed' -draw "rectangle 0,0 0,15" "$out/scroll_bk.png"

# --- List header (8x26): its background; a column header's hot and pushed looks; the 1-pixel
# separator between columns ---
cv -size 8x26 gradient:'#ffffff'-'#eceff3' -fill '#c7ced8' -draw "rectangle 0,25 7,25" \
   "$out/header.png"
cv -size 8x26 gradient:'#f4f8fd'-'#e1ebf7' -fill "$border_hot" -draw "rectangle 0,25 7,25" \
   "$tmp/hh.png"
cv -size 8x26 gradient:'#dbe6f3'-'#e8eef6' -fill "$accent" -draw "rectangle 0,24 7,25" \
   "$tmp/hp.png"
side_by_side "$out/header_item.png" "$tmp/hh.png" "$tmp/hp.png"
cv -size 1x26 gradient:'rgba(199,206,216,0)'-'#c7ced8' \
   \( -size 1x26 gradient:'#c7ced8'-'rgba(199,206,216,0)' \) -append -resize 1x26! \
   "$out/header_sep.png"

# --- Tree folder buttons (16x16): open, open hot, closed, closed hot ---
chevron() {  # $1 colour, $2 points, $3 output
  cv -size 16x16 xc:none -fill none -stroke "$1" -strokewidth 2 -draw "polyline $2" "$3"
}
chevron "$muted" "4,6 8,10 12,6" "$tmp/f0.png"
chevron "$accent" "4,6 8,10 12,6" "$tmp/f1.png"
chevron "$muted" "6,4 10,8 6,12" "$tmp/f2.png"
chevron "$accent" "6,4 10,8 6,12" "$tmp/f3.png"
side_by_side "$out/tree_folder.png" "$tmp"/f{0,1,2,3}.png

# --- A card (24x24, nine-piece with corners 8): white, a soft edge, rounded ---
cv -size 24x24 xc:none -fill 'rgba(30,50,80,0.10)' -draw "roundrectangle 0,1 23,23 7,7" \
   -fill white -stroke '#dde3ea' -strokewidth 1 -draw "roundrectangle 0.5,0.5 23.5,22.5 6,6" \
   "$out/card.png"

# 8-bit RGBA without virtual-canvas offsets, so every reader sees the same pixels.
for f in "$out"/*.png; do
  cv "$f" -depth 8 +repage PNG32:"$f"
done
