#!/usr/bin/env bash
# Draws the launcher's images into the folder given as the first argument, in the setup
# window's style: night sky, the name in gold, a gold frame, a dark panel, gold buttons.
# Needs ImageMagick's convert and the DejaVu and WenQuanYi Micro Hei fonts.
set -euo pipefail
out=${1:?usage: make_images.sh <output folder>}
mkdir -p "$out"
cv() { convert "$@"; }
serif=DejaVu-Serif-Bold
cjk=WenQuanYi-Micro-Hei
W=440 H=260
tmp=$(mktemp -d)
trap 'rm -rf "$tmp"' EXIT

# --- Background: gradient, glow, the name, the caption band and the rounded frame ---
cv -size ${W}x${H} gradient:'#26305a'-'#07080f' \
   \( -size 480x480 radial-gradient:'rgba(70,170,255,0.5)'-'rgba(70,170,255,0)' \) \
   -geometry -20-240 -compose over -composite \
   -fill 'rgba(5,7,16,0.8)' -stroke none \
   -draw "polygon 0,200 70,170 150,190 230,150 300,185 370,160 440,180 440,260 0,260" \
   "$tmp/base.png"
cv -size ${W}x90 xc:none -font $serif -pointsize 44 -kerning 2 -gravity center \
   -fill white -annotate +0+0 'Halvane' "$tmp/mask.png"
cv -size ${W}x90 gradient:'#fff3c4'-'#c7862b' "$tmp/fill.png"
cv "$tmp/fill.png" "$tmp/mask.png" -compose copy_opacity -composite "$tmp/name.png"
cv "$tmp/mask.png" -fill '#3aa0ff' -colorize 100 -channel A -evaluate multiply 0.8 +channel \
   -blur 0x7 "$tmp/glow.png"
cv "$tmp/base.png" \
   "$tmp/glow.png" -geometry +0+26 -compose screen -composite \
   "$tmp/name.png" -geometry +0+26 -compose over -composite \
   -fill 'rgba(0,0,0,0.35)' -stroke none -draw "rectangle 0,0 $((W - 1)),31" \
   -fill none -stroke '#c9a45c' -strokewidth 1 \
   -draw "roundrectangle 0.5,0.5 $((W - 1)).5,$((H - 1)).5 6,6" \
   -alpha off "$out/bg.png"

# --- Panel behind the texts (nine-piece, corners 8) ---
cv -size 32x32 xc:none -fill 'rgba(8,12,28,0.62)' -stroke 'rgba(130,170,235,0.45)' \
   -strokewidth 1 -draw "roundrectangle 0.5,0.5 31.5,31.5 7,7" "$out/panel.png"

# --- Close button: normal, hot, pushed (26x26 each) ---
close_state() {  # $1 background, $2 cross colour, $3 offset, $4 output
  cv -size 26x26 xc:none -fill "$1" -stroke none -draw "circle 13,13 13,3" \
     -stroke "$2" -strokewidth 2 \
     -draw "line $((9 + $3)),$((9 + $3)) $((17 + $3)),$((17 + $3))" \
     -draw "line $((17 + $3)),$((9 + $3)) $((9 + $3)),$((17 + $3))" "$4"
}
close_state 'rgba(0,0,0,0)' '#c8d0e8' 0 "$tmp/c0.png"
close_state '#d8453b' '#ffffff' 0 "$tmp/c1.png"
close_state '#9c2a23' '#f0d0d0' 1 "$tmp/c2.png"
cv "$tmp/c0.png" "$tmp/c1.png" "$tmp/c2.png" +append "$out/close.png"

# --- The OK button: normal, hot, pushed (110x34 each) ---
button_state() {  # $1 top, $2 bottom, $3 border, $4 text colour, $5 text offset, $6 output
  cv -size 110x34 gradient:"$1"-"$2" \
     \( -size 110x34 xc:none -fill white -draw "roundrectangle 0,0 109,33 6,6" \) \
     -compose copy_opacity -composite \
     -fill none -stroke "$3" -strokewidth 1 -draw "roundrectangle 0.5,0.5 109.5,33.5 6,6" \
     -font $cjk -pointsize 16 -gravity center -stroke none -fill "$4" \
     -annotate "+0+$5" '确 定' "$6"
}
button_state '#ffd36e' '#d9891f' '#fff0b8' '#3b1f00' 0 "$tmp/o0.png"
button_state '#ffe39a' '#f0a035' '#ffffff' '#2a1400' 0 "$tmp/o1.png"
button_state '#c9801c' '#e7a94a' '#fff0b8' '#2a1400' 1 "$tmp/o2.png"
cv "$tmp/o0.png" "$tmp/o1.png" "$tmp/o2.png" +append "$out/ok.png"

for f in "$out"/*.png; do
  case $f in
    */bg.png) cv "$f" -depth 8 +repage PNG24:"$f" ;;
    *) cv "$f" -depth 8 +repage PNG32:"$f" ;;
  esac
done
