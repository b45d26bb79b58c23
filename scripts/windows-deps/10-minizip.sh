#!/usr/bin/env bash
# minizip, static, from the contrib folder of Debian's zlib source: the unzip side and its file
# functions, which is all the skin reader uses. zlib itself is Debian's libz-mingw-w64-dev.
source "$(dirname "$0")/lib.sh"
windeps_done minizip && exit 0
echo "windows-deps: building minizip"
src=$(windeps_source zlib)/contrib/minizip
build=$(mktemp -d)
trap 'rm -rf "$build"' EXIT
for unit in ioapi unzip; do
  windeps_quiet "$SKINUI_WINDEPS/logs/minizip-$unit.log" \
    "$CC" -O2 -c "$src/$unit.c" -o "$build/$unit.o"
done
rm -f "$WINDEPS_PREFIX/lib/libminizip.a"
"$AR" rcs "$WINDEPS_PREFIX/lib/libminizip.a" "$build/ioapi.o" "$build/unzip.o"
mkdir -p "$WINDEPS_PREFIX/include/minizip"
cp "$src/ioapi.h" "$src/unzip.h" "$WINDEPS_PREFIX/include/minizip/"
version=$(sed -nE 's/^#define ZLIB_VERSION "([^"]+)".*/\1/p' "$src/../../zlib.h")
cat >"$WINDEPS_PREFIX/lib/pkgconfig/minizip.pc" <<PC
prefix=$WINDEPS_PREFIX
libdir=\${prefix}/lib
includedir=\${prefix}/include

Name: minizip
Description: Reading zip archives (static, for Windows)
Version: $version
Requires.private: zlib
Libs: -L\${libdir} -lminizip
Cflags: -I\${includedir}/minizip -I\${includedir}
PC
windeps_mark minizip
