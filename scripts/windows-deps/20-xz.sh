#!/usr/bin/env bash
# liblzma from Debian's xz-utils, static, for the Windows build: the LZMA decoder behind the
# payload's 7z reader. Only the library (no programs, scripts, translations or manuals), and
# single-threaded: the archive reader decodes one block at a time.
set -euo pipefail
source "$(dirname "$0")/lib.sh"
windeps_done xz && exit 0
src=$(windeps_source xz-utils)
build=$SKINUI_WINDEPS/build/xz
rm -rf "$build" && mkdir -p "$build"
in_build() { (cd "$build" && "$@"); }
# Keep make from asking for the autotools when the unpacked files' times differ.
(cd "$src" && touch aclocal.m4 configure config.h.in && find . -name Makefile.in -exec touch {} +)
disable=(shared threads nls doc scripts xz xzdec lzmadec lzmainfo lzma-links)
in_build windeps_quiet "$SKINUI_WINDEPS/logs/xz-configure.log" "$src/configure" --host="$WINDEPS_HOST" \
  --prefix="$WINDEPS_PREFIX" --enable-static "${disable[@]/#/--disable-}"
in_build windeps_quiet "$SKINUI_WINDEPS/logs/xz-make.log" make -C src/liblzma -j"$(nproc)" install
windeps_mark xz
