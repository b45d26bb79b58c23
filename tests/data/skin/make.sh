#!/usr/bin/env bash
# Regenerates the skin test inputs in this folder: PNGs written by ImageMagick in the colour
# types the loader must read, and zips written by Info-ZIP's zip (stored and deflated) and by
# Python's zipfile. Run it from anywhere; it checks that each PNG came out in the intended form.
set -euo pipefail
cd "$(dirname "$0")"
# The real ImageMagick (not a wrapper that may flatten transparency), without time stamps so
# that the files come out the same every time.
IM() {
  local out=${*: -1}
  /usr/bin/convert "${@:1:$#-1}" -define png:exclude-chunks=date,time "$out"
}
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

# 3 x 2 pixels, RGBA rows: half-transparent orange, magenta, transparent black /
# dark blue-grey, almost transparent white, almost opaque magenta.
python3 - "$work/rgba.raw" "$work/rgb.raw" "$work/grey.raw" "$work/greya.raw" <<'PY'
import sys
rgba = bytes([200,100,50,128, 255,0,255,255, 0,0,0,0,
              10,20,30,255, 255,255,255,1, 255,0,255,254])
rgb = bytes([255,0,255, 10,20,30, 255,0,255, 0,0,0, 255,255,255, 1,2,3])
grey = bytes([0, 64, 128, 192, 255, 7])
greya = bytes([0,255, 64,128, 128,0, 192,255, 255,64, 7,255])
for path, data in zip(sys.argv[1:], (rgba, rgb, grey, greya)):
    open(path, 'wb').write(data)
PY

IM -size 3x2 -depth 8 rgba:"$work/rgba.raw" PNG32:rgba.png
IM -size 3x2 -depth 8 rgb:"$work/rgb.raw" PNG24:opaque.png
IM -size 3x2 -depth 8 rgb:"$work/rgb.raw" -define png:color-type=3 PNG8:palette.png
IM -size 3x2 -depth 8 rgba:"$work/rgba.raw" -channel A -threshold 50% +channel \
  -define png:color-type=3 PNG8:palette-alpha.png
IM -size 3x2 -depth 8 gray:"$work/grey.raw" -define png:color-type=0 -define png:bit-depth=8 grey.png
python3 - "$work/greya.raw" "$work/greya.pam" <<'PY'
import sys
data = open(sys.argv[1], 'rb').read()
open(sys.argv[2], 'wb').write(b"P7\nWIDTH 3\nHEIGHT 2\nDEPTH 2\nMAXVAL 255\nTUPLTYPE GRAYSCALE_ALPHA\nENDHDR\n" + data)
PY
IM "$work/greya.pam" -define png:color-type=4 -define png:bit-depth=8 grey-alpha.png
IM -size 3x2 -depth 8 rgb:"$work/rgb.raw" -depth 16 PNG48:rgb16.png
IM -size 3x2 -depth 8 rgba:"$work/rgba.raw" -depth 16 PNG64:rgba16.png
IM -size 3x2 -depth 8 rgba:"$work/rgba.raw" -interlace PNG PNG32:interlaced.png
# The other formats the decoder reads: BMP, GIF and (lossy) JPEG.
IM -size 3x2 -depth 8 rgb:"$work/rgb.raw" BMP3:opaque.bmp
IM -size 3x2 -depth 8 rgb:"$work/rgb.raw" GIF:opaque.gif
IM -size 3x2 -depth 8 rgb:"$work/rgb.raw" -quality 95 JPEG:opaque.jpg

# Colour type, bit depth and interlace method straight from each file's header.
python3 - <<'PY'
import struct
want = {"rgba.png": (6, 8, 0), "opaque.png": (2, 8, 0), "palette.png": (3, 8, 0),
        "palette-alpha.png": (3, 8, 0), "grey.png": (0, 8, 0), "grey-alpha.png": (4, 8, 0),
        "rgb16.png": (2, 16, 0), "rgba16.png": (6, 16, 0), "interlaced.png": (6, 8, 1)}
for name, (ctype, depth, interlace) in want.items():
    head = open(name, 'rb').read(33)
    got = (head[25], head[24], head[28])
    if got != (ctype, depth, interlace):
        raise SystemExit(f"{name}: colour type/depth/interlace {got}, wanted {(ctype, depth, interlace)}")
PY

# The same skin three times: stored and deflated by Info-ZIP, deflated by Python.
tree=$work/tree
mkdir -p "$tree/sub" "$tree/images"
cat > "$tree/skin.xml" <<'XML'
<?xml version="1.0" encoding="utf-8" standalone="yes" ?>
<!-- test skin -->
<Window size="518,345" caption="0,0,0,70">
  <Font name="DejaVu Sans" size="12" default="true" />
  <VerticalLayout bkcolor="#FFFFFFFF">
    <Label name="title" text="Halvane &amp; friends" />
    <Button name="btn_close" normalimage="images/close.png" />
  </VerticalLayout>
</Window>
XML
cp rgba.png "$tree/sub/a.png"
cp opaque.png "$tree/images/magenta.png"
: > "$tree/empty.txt"
python3 -c "import sys; sys.stdout.write('Halvane skin data ' * 400)" > "$tree/repeat.txt"
rm -f stored.zip deflated.zip python.zip
(cd "$tree" && zip -q -X -0 -r "$OLDPWD/stored.zip" skin.xml sub images empty.txt repeat.txt)
(cd "$tree" && zip -q -X -9 -r "$OLDPWD/deflated.zip" skin.xml sub images empty.txt repeat.txt)
python3 - "$tree" python.zip <<'PY'
import sys, zipfile, os
tree, out = sys.argv[1], sys.argv[2]
with zipfile.ZipFile(out, 'w', zipfile.ZIP_DEFLATED) as z:
    for name in ["skin.xml", "sub/a.png", "images/magenta.png", "empty.txt", "repeat.txt"]:
        info = zipfile.ZipInfo(name, date_time=(2024, 5, 17, 12, 30, 44))
        info.compress_type = zipfile.ZIP_DEFLATED
        info.external_attr = 0o644 << 16
        z.writestr(info, open(os.path.join(tree, name), 'rb').read())
    # A non-ASCII name (flagged UTF-8 by zipfile) and a second entry that folds to skin.xml.
    z.writestr(zipfile.ZipInfo("Größe/Bild.png", date_time=(2024, 5, 17, 12, 30, 44)),
               open(os.path.join(tree, "sub/a.png"), 'rb').read())
    z.writestr(zipfile.ZipInfo("SKIN.XML", date_time=(2024, 5, 17, 12, 30, 44)), b"<Second/>")
PY
# Names at the longest length that can be found (255 bytes) and one byte beyond it.
python3 - longnames.zip <<'PY'
import sys, zipfile
with zipfile.ZipFile(sys.argv[1], 'w', zipfile.ZIP_STORED) as z:
    z.writestr(zipfile.ZipInfo("a" * 251 + ".txt", date_time=(2024, 1, 1, 0, 0, 0)), b"255")
    z.writestr(zipfile.ZipInfo("b" * 252 + ".txt", date_time=(2024, 1, 1, 0, 0, 0)), b"256")
PY
# Layout files right at the size limit (4,194,304 bytes) and one byte over it, deflated by zip.
python3 - "$work/limit" <<'PY'
import os, sys
os.makedirs(sys.argv[1], exist_ok=True)
head, tail = b'<Window name="limit">', b'</Window>'
for name, size in (("exact.xml", 4194304), ("over.xml", 4194305)):
    open(os.path.join(sys.argv[1], name), 'wb').write(head + b' ' * (size - len(head) - len(tail)) + tail)
PY
rm -f limit.zip
(cd "$work/limit" && zip -q -X -9 "$OLDPWD/limit.zip" exact.xml over.xml)
ls -l *.png *.zip *.bmp *.gif *.jpg
