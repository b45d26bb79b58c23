#!/usr/bin/env bash
# pack.sh <archive> <total bytes> <PlayCrate.exe> <Uninstall.exe>
# Generates the payload tree and packs it the way the installer ships it: a solid 7z archive,
# x86 branch filter in front of LZMA, split into two solid blocks. File times are left out so
# that the archive depends only on its content.
set -euo pipefail
archive=$1 total=$2 launcher=$3 uninstaller=$4
here=$(cd "$(dirname "$0")" && pwd)
tree="$archive.tree"
rm -rf "$tree" "$archive" "$archive.programs"
# The programs go in without their symbols ($STRIP: the build's strip program).
mkdir -p "$archive.programs"
"${STRIP:-strip}" --strip-all -o "$archive.programs/PlayCrate.exe" "$launcher"
"${STRIP:-strip}" --strip-all -o "$archive.programs/Uninstall.exe" "$uninstaller"
python3 "$here/make_payload.py" --out "$tree" --total "$total" \
  --program "PlayCrate.exe=$archive.programs/PlayCrate.exe" \
  --program "Uninstall.exe=$archive.programs/Uninstall.exe"
archive_abs=$(cd "$(dirname "$archive")" && pwd)/$(basename "$archive")
(cd "$tree" && 7zz a -t7z -bd -bso0 -bsp0 -m0=BCJ -m1=LZMA:d=8m -ms=12f \
  -mtm=off -mtc=off -mta=off "$archive_abs.part" .)
blocks=$(7zz l -slt "$archive_abs.part" | sed -n 's/^Blocks = //p')
if [ "$blocks" != 2 ]; then
  echo "pack.sh: expected 2 solid blocks, 7zz made ${blocks:-none}" >&2
  exit 1
fi
mv "$archive_abs.part" "$archive_abs"
rm -rf "$tree" "$archive.programs"
