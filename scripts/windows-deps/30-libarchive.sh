#!/usr/bin/env bash
# libarchive from Debian's source package, static, for the Windows build: the 7z reader of the
# payload. Built with zlib (Debian's mingw package) and the cached liblzma only: no crypto, XML,
# other compressors, ACLs or command-line programs.
set -euo pipefail
source "$(dirname "$0")/lib.sh"
windeps_done libarchive && exit 0
src=$(windeps_source libarchive)
build=$SKINUI_WINDEPS/build/libarchive
log=$SKINUI_WINDEPS/build/libarchive.log
rm -rf "$build" && mkdir -p "$build"
# Debian's patches touch configure.ac and Makefile.am (tests and pkg-config only); keep make
# from asking for the autotools.
(cd "$src" && touch aclocal.m4 configure Makefile.in config.h.in)
without=(openssl xml2 expat bz2lib zstd lz4 lzo2 cng mbedtls nettle libb2 iconv)
disable=(bsdtar bsdcat bsdcpio acl xattr)
if ! (cd "$build" && "$src/configure" --host="$WINDEPS_HOST" --prefix="$WINDEPS_PREFIX" \
      --enable-static --disable-shared "${without[@]/#/--without-}" "${disable[@]/#/--disable-}" \
      --with-zlib --with-lzma CPPFLAGS="-I$WINDEPS_PREFIX/include -DLZMA_API_STATIC" \
      LDFLAGS="-L$WINDEPS_PREFIX/lib" &&
      make -C "$build" -j"$(nproc)" libarchive.la &&
      make -C "$build" install-libLTLIBRARIES install-includeHEADERS install-pkgconfigDATA) \
    >"$log" 2>&1; then
  tail -n 30 "$log" >&2
  echo "30-libarchive: the build failed (whole log: $log)" >&2
  exit 1
fi
windeps_mark libarchive
