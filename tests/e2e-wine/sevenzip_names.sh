#!/usr/bin/env bash
# Names outside ASCII through the Windows archive reader, under Wine: an archive packed by 7zz
# with Chinese, accented and non-BMP names lists them exactly, with their sizes. Run with the
# Windows build folder as $1.
build=$(cd "$1" && pwd)
root="$(cd "$(dirname "$0")/../.." && pwd)"
source "$root/tests/support/e2e.sh"
export SKINUI_WINEPREFIX=${SKINUI_WINEPREFIX:-$build/wineprefix}

mkdir -p "$work/tree/图片"
printf '汉字内容' >"$work/tree/图片/中文名.txt"
printf 'outside the BMP' >"$work/tree/Ünïcödé 🎮.txt"
: >"$work/tree/empty.dat"
(cd "$work/tree" && 7zz a -t7z -bso0 -bsp0 -m0=LZMA "$work/names.7z" .)
bash "$root/scripts/with-wine.sh" "$build/tests/wine/sevenzip_names_probe.exe" \
  "Z:${work//\//\\}\\names.7z" >"$work/out" 2>"$work/err" || fail "probe: $(cat "$work/err")"
tr -d '\r' <"$work/out" | sort >"$work/listed"
printf '%s\n' $'empty.dat\t0' $'end' $'Ünïcödé 🎮.txt\t15' $'图片/\t0' $'图片/中文名.txt\t12' |
  sort >"$work/expected"
diff "$work/expected" "$work/listed" >&2 || fail "names differ"
echo "sevenzip_names: names outside ASCII and the BMP read back exactly"
