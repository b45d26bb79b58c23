#!/usr/bin/env bash
# The gallery's skin archive as built: both markup files are in it, every image the markup names
# is in it as a readable picture (a missing one would silently leave its control undrawn), and
# no picture in it goes unused. Run with the build folder as $1.
build=$1
zip="$build/demo/gallery/gallery_skin.zip"
source "$(dirname "$0")/../support/e2e.sh"

[ -f "$zip" ] || fail "no skin archive at $zip"
unzip -q "$zip" -d "$work/skin" || fail "$zip does not unpack"
for markup in skin.xml child.xml; do
  [ -f "$work/skin/$markup" ] || fail "$markup is not in the archive"
done

named=$(grep -oh "file='[^']*'" "$work/skin/skin.xml" "$work/skin/child.xml" |
  sed "s/^file='//; s/'\$//" | sort -u)
[ -n "$named" ] || fail "the markup names no image"
for image in $named; do
  [ -f "$work/skin/$image" ] || fail "$image is named by the markup but not in the archive"
  identify "$work/skin/$image" >/dev/null 2>&1 || fail "$image is not a readable picture"
done
for path in "$work"/skin/*.png; do
  image=$(basename "$path")
  grep -qx -- "$image" <<<"$named" || fail "$image is in the archive but no markup uses it"
done
echo "gallery skin: $(wc -w <<<"$named") images, each named and present"
