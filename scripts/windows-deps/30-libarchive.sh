#!/usr/bin/env bash
# libarchive from Debian's source package, static, for the Windows build: the 7z reader of the
# payload. Built with zlib (Debian's mingw package) and the cached liblzma only: no crypto, XML,
# other compressors, ACLs or command-line programs. Built and used with LIBARCHIVE_STATIC, so a
# program that links it does not export its functions; linked with liblzma and zlib after it.
set -euo pipefail
source "$(dirname "$0")/lib.sh"
windeps_done libarchive && exit 0
src=$(windeps_source libarchive)
build=$SKINUI_WINDEPS/build/libarchive
rm -rf "$build" && mkdir -p "$build"
in_build() { (cd "$build" && "$@"); }
# Debian's patches touch configure.ac and Makefile.am (tests and pkg-config only); keep make
# from asking for the autotools.
(cd "$src" && touch aclocal.m4 configure Makefile.in config.h.in)
without=(openssl xml2 expat bz2lib zstd lz4 lzo2 cng mbedtls nettle libb2 iconv)
disable=(shared bsdtar bsdcat bsdcpio acl xattr)
in_build windeps_quiet "$SKINUI_WINDEPS/logs/libarchive-configure.log" "$src/configure" \
  --host="$WINDEPS_HOST" --prefix="$WINDEPS_PREFIX" --enable-static \
  "${without[@]/#/--without-}" "${disable[@]/#/--disable-}" --with-zlib --with-lzma \
  CPPFLAGS="-I$WINDEPS_PREFIX/include -DLZMA_API_STATIC -DLIBARCHIVE_STATIC" \
  LDFLAGS="-L$WINDEPS_PREFIX/lib"
in_build windeps_quiet "$SKINUI_WINDEPS/logs/libarchive-make.log" make -j"$(nproc)" libarchive.la
in_build windeps_quiet "$SKINUI_WINDEPS/logs/libarchive-install.log" make install-libLTLIBRARIES \
  install-includeHEADERS install-pkgconfigDATA
windeps_mark libarchive
