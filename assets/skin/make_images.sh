#!/usr/bin/env bash
# Draws the setup window's images into the folder given as the first argument.
# Needs ImageMagick's convert and the DejaVu and WenQuanYi Micro Hei fonts.
#
# Sprites hold their states side by side (normal, hot, pushed / selected...); skin.xml cuts
# them with source='...'. Panel, edit frame and progress track are small nine-piece images.
set -euo pipefail
out=${1:?usage: make_images.sh <output folder>}
mkdir -p "$out"
cv() { convert "$@"; }

serif=DejaVu-Serif-Bold
cjk=WenQuanYi-Micro-Hei

# --- Background: night-sky gradient, a glow behind the title, the name in gold, a frame ---
W=518 H=345
tmp=$(mktemp -d)
trap 'rm -rf "$tmp"' EXIT

cv -size ${W}x${H} gradient:'#26305a'-'#07080f' \
   \( -size 560x560 radial-gradient:'rgba(70,170,255,0.55)'-'rgba(70,170,255,0)' \) \
   -geometry -21-250 -compose over -composite \
   \( -size 460x460 radial-gradient:'rgba(200,90,255,0.25)'-'rgba(200,90,255,0)' \) \
   -geometry +260+40 -compose over -composite \
   "$tmp/base.png"

# Faint mountain ridge silhouettes behind the lower half.
cv "$tmp/base.png" \
   -fill 'rgba(10,14,30,0.75)' -stroke none \
   -draw "polygon 0,250 60,205 120,228 190,170 250,215 320,160 390,210 450,185 518,225 518,345 0,345" \
   -fill 'rgba(5,7,16,0.85)' \
   -draw "polygon 0,290 80,250 150,275 230,235 300,268 370,240 440,270 518,250 518,345 0,345" \
   "$tmp/base.png"

# Scattered stars (fixed positions so every build draws the same picture).
stars=""
for p in 23,48 61,17 97,66 140,31 171,9 205,58 262,21 301,44 337,12 368,71 402,33 441,57 \
         470,24 489,83 31,112 78,139 455,121 497,146 12,161 120,96 388,101 230,88; do
  x=${p%,*} y=${p#*,}
  stars+="circle $x,$y $((x + 1)),$y "
done
cv "$tmp/base.png" -fill 'rgba(220,235,255,0.8)' -stroke none -draw "$stars" "$tmp/base.png"

# The product name: gold gradient text with a blue glow under it.
cv -size ${W}x150 xc:none -font $serif -pointsize 64 -kerning 2 -gravity center \
   -fill white -annotate +0+0 'Halvane' "$tmp/name_mask.png"
cv -size ${W}x150 gradient:'#fff3c4'-'#c7862b' "$tmp/name_fill.png"
cv "$tmp/name_fill.png" "$tmp/name_mask.png" -compose copy_opacity -composite "$tmp/name.png"
cv "$tmp/name_mask.png" -fill '#3aa0ff' -colorize 100 -channel A -evaluate multiply 0.9 +channel \
   -blur 0x9 "$tmp/glow.png"
cv -size ${W}x150 xc:none -font $serif -pointsize 64 -kerning 2 -gravity center \
   -fill 'rgba(0,0,0,0.6)' -annotate +2+3 'Halvane' "$tmp/shadow.png"

cv -size ${W}x40 xc:none -font $cjk -pointsize 13 -gravity center -fill '#9fb4dc' \
   -annotate +0+0 '—  奇  幻  冒  险  ·  即  刻  启  程  —' "$tmp/tagline.png"

cv "$tmp/base.png" \
   "$tmp/glow.png" -geometry +0+22 -compose screen -composite \
   "$tmp/shadow.png" -geometry +0+22 -compose over -composite \
   "$tmp/name.png" -geometry +0+22 -compose over -composite \
   "$tmp/tagline.png" -geometry +0+118 -compose over -composite \
   "$tmp/base.png"

# Caption band and the rounded frame.
cv "$tmp/base.png" \
   -fill 'rgba(0,0,0,0.35)' -stroke none -draw "rectangle 0,0 $((W - 1)),35" \
   -fill none -stroke 'rgba(201,164,92,0.35)' -strokewidth 1 -draw "line 10,35.5 $((W - 11)),35.5" \
   -stroke '#c9a45c' -draw "roundrectangle 0.5,0.5 $((W - 1)).5,$((H - 1)).5 6,6" \
   -stroke 'rgba(255,230,170,0.18)' -draw "roundrectangle 2.5,2.5 $((W - 3)).5,$((H - 3)).5 5,5" \
   -alpha off "$out/bg.png"

# --- Semi-transparent panel behind the controls (nine-piece, corners 8) ---
cv -size 32x32 xc:none -fill 'rgba(8,12,28,0.62)' -stroke 'rgba(130,170,235,0.45)' \
   -strokewidth 1 -draw "roundrectangle 0.5,0.5 31.5,31.5 7,7" "$out/panel.png"

# --- Close button: normal, hot, pushed (30x30 each) ---
close_state() {  # $1 background fill, $2 cross colour, $3 offset
  cv -size 30x30 xc:none -fill "$1" -stroke none -draw "circle 15,15 15,4" \
     -stroke "$2" -strokewidth 2 \
     -draw "line $((10 + $3)),$((10 + $3)) $((20 + $3)),$((20 + $3))" \
     -draw "line $((20 + $3)),$((10 + $3)) $((10 + $3)),$((20 + $3))" "$4"
}
close_state 'rgba(0,0,0,0)' '#c8d0e8' 0 "$tmp/c0.png"
close_state '#d8453b' '#ffffff' 0 "$tmp/c1.png"
close_state '#9c2a23' '#f0d0d0' 1 "$tmp/c2.png"
# Focused: the normal look inside a ring in the focus colour.
focus=#7fd4ff
cv "$tmp/c0.png" -fill none -stroke $focus -strokewidth 2 -draw "circle 15,15 15,3" "$tmp/c3.png"
cv "$tmp/c0.png" "$tmp/c1.png" "$tmp/c2.png" "$tmp/c3.png" +append "$out/close.png"

# --- Push buttons: a label drawn in, three states side by side ---
button_state() {  # $1 w, $2 h, $3 top colour, $4 bottom colour, $5 border, $6 text colour,
                  # $7 text, $8 point size, $9 text offset, $10 output
  local w=$1 h=$2
  cv -size ${w}x${h} gradient:"$3"-"$4" \
     \( -size ${w}x${h} xc:none -fill white -draw "roundrectangle 0,0 $((w - 1)),$((h - 1)) 6,6" \) \
     -compose copy_opacity -composite \
     -fill none -stroke "$5" -strokewidth 1 \
     -draw "roundrectangle 0.5,0.5 $((w - 1)).5,$((h - 1)).5 6,6" \
     -stroke none -fill 'rgba(255,255,255,0.18)' -draw "rectangle 6,1 $((w - 7)),1" \
     -font $cjk -pointsize "$8" -gravity center -fill "$6" -annotate "+0+$9" "$7" "${10}"
}
button_state 80 28 '#3a4a7c' '#222c4e' '#6b83c4' '#e4ebff' '浏 览…' 13 0 "$tmp/b0.png"
button_state 80 28 '#4d63a6' '#2e3b68' '#9db4f0' '#ffffff' '浏 览…' 13 0 "$tmp/b1.png"
button_state 80 28 '#1c2442' '#2a3560' '#6b83c4' '#c8d4f4' '浏 览…' 13 1 "$tmp/b2.png"
focus_ring() {  # $1 input, $2 output: the focus colour drawn just inside the button's edge
  local w h
  w=$(identify -format %w "$1") h=$(identify -format %h "$1")
  cv "$1" -fill none -stroke $focus -strokewidth 2 \
     -draw "roundrectangle 1,1 $((w - 2)),$((h - 2)) 6,6" "$2"
}
focus_ring "$tmp/b0.png" "$tmp/b3.png"
cv "$tmp/b0.png" "$tmp/b1.png" "$tmp/b2.png" "$tmp/b3.png" +append "$out/browse.png"

# The install button, and the same button where an earlier install is found: normal, hot,
# pushed, focused.
install_button() {  # $1 text, $2 output
  button_state 130 40 '#ffd36e' '#d9891f' '#fff0b8' '#3b1f00' "$1" 18 0 "$tmp/i0.png"
  button_state 130 40 '#ffe39a' '#f0a035' '#ffffff' '#2a1400' "$1" 18 0 "$tmp/i1.png"
  button_state 130 40 '#c9801c' '#e7a94a' '#fff0b8' '#2a1400' "$1" 18 1 "$tmp/i2.png"
  focus_ring "$tmp/i0.png" "$tmp/i3.png"
  cv "$tmp/i0.png" "$tmp/i1.png" "$tmp/i2.png" "$tmp/i3.png" +append "$2"
}
install_button '立即安装' "$out/install.png"
install_button '重新安装' "$out/reinstall.png"

# --- Edit frame: normal, hot, focused (24x28 each, nine-piece with corners 5) ---
edit_state() {  # $1 border, $2 output
  cv -size 24x28 xc:none -fill 'rgba(4,6,16,0.85)' -stroke "$1" -strokewidth 1 \
     -draw "roundrectangle 0.5,0.5 23.5,27.5 4,4" "$2"
}
edit_state '#46578c' "$tmp/e0.png"
edit_state '#7d97dc' "$tmp/e1.png"
edit_state '#f0c060' "$tmp/e2.png"
cv "$tmp/e0.png" "$tmp/e1.png" "$tmp/e2.png" +append "$out/edit.png"

# --- Check boxes: empty, empty hot, ticked, ticked hot (16x16 each) ---
box() {  # $1 fill, $2 border, $3 tick colour or none, $4 output
  cv -size 16x16 xc:none -fill "$1" -stroke "$2" -strokewidth 1 \
     -draw "roundrectangle 1.5,1.5 14.5,14.5 3,3" \
     -fill none -stroke "$3" -strokewidth 2 -draw "polyline 4.5,8 7,10.5 11.5,5" "$4"
}
box 'rgba(4,6,16,0.8)' '#6b7fb8' none "$tmp/k0.png"
box 'rgba(20,28,60,0.9)' '#a9c0ff' none "$tmp/k1.png"
box '#e8a83a' '#ffe2a0' '#2a1400' "$tmp/k2.png"
box '#ffc04e' '#ffffff' '#2a1400' "$tmp/k3.png"
# The focus ring laid over a box of either state.
cv -size 16x16 xc:none -fill none -stroke $focus -strokewidth 1 \
   -draw "roundrectangle 0.5,0.5 15.5,15.5 4,4" "$tmp/k4.png"
cv "$tmp/k0.png" "$tmp/k1.png" "$tmp/k2.png" "$tmp/k3.png" "$tmp/k4.png" +append "$out/check.png"

# --- Progress: a track (nine-piece, corners 5) and a fill as wide as the bar ---
cv -size 16x10 xc:none -fill 'rgba(0,0,0,0.7)' -stroke 'rgba(120,150,210,0.55)' -strokewidth 1 \
   -draw "roundrectangle 0.5,0.5 15.5,9.5 4,4" "$out/progress_bk.png"
cv -size 10x308 gradient:'#3fd0ff'-'#ffc24a' -rotate -90 \
   \( -size 308x10 xc:none -fill white -draw "roundrectangle 0,0 307,9 4,4" \) \
   -compose copy_opacity -composite \
   -compose over -fill 'rgba(255,255,255,0.35)' -draw "rectangle 3,1 304,3" "$out/progress_fg.png"

# 8-bit RGBA without virtual-canvas offsets for every image but the opaque background.
for f in "$out"/*.png; do
  case $f in
    */bg.png) cv "$f" -depth 8 +repage PNG24:"$f" ;;
    *) cv "$f" -depth 8 +repage PNG32:"$f" ;;
  esac
done
