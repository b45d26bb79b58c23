#!/usr/bin/env bash
# liblzma from Debian's xz-utils, static, for the Windows build: the LZMA decoder behind the
# payload's 7z reader. Only the library (no programs, scripts, translations or manuals), and
# single-threaded: the archive reader decodes one block at a time.
set -euo pipefail
source "$(dirname "$0")/lib.sh"
windeps_done xz && exit 0
src=$(windeps_source xz-utils)
build=$SKINUI_WINDEPS/build/xz
log=$SKINUI_WINDEPS/build/xz.log
rm -rf "$build" && mkdir -p "$build"
# Keep make from asking for the autotools when the unpacked files' times differ.
(cd "$src" && touch aclocal.m4 configure && find . -name Makefile.in -exec touch {} + &&
  touch config.h.in)
disable=(shared threads nls doc scripts xz xzdec lzmadec lzmainfo lzma-links)
if ! (cd "$build" && "$src/configure" --host="$WINDEPS_HOST" --prefix="$WINDEPS_PREFIX" \
      --enable-static "${disable[@]/#/--disable-}" &&
      make -C "$build/src/liblzma" -j"$(nproc)" install) >"$log" 2>&1; then
  tail -n 30 "$log" >&2
  echo "20-xz: the build failed (whole log: $log)" >&2
  exit 1
fi
windeps_mark xz
