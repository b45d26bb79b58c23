#!/usr/bin/env bash
# The Windows gallery under Wine: every tab button switches to its page, the notifications are
# the ones the Linux build prints for the same clicks, and each page looks like its stored
# Windows picture (Windows draws text its own way, so the pictures are not Linux's). Run under
# Xvfb with the Windows build folder as $1; SKINUI_UPDATE_GOLDEN=1 stores the pictures taken.
build=$1
root="$(cd "$(dirname "$0")/../.." && pwd)"
golden_dir="${SKINUI_TEST_DATA:-$root/tests/data}/golden/windows"
tolerance=${GALLERY_TOLERANCE:-10}
source "$root/tests/support/e2e.sh"

export SKINUI_WINEPREFIX=${SKINUI_WINEPREFIX:-$build/wineprefix}
gallery_tour "$golden_dir" "$tolerance" bash "$root/scripts/with-wine.sh" "$build/demo/Gallery.exe"
# Wine's own processes end before the display they use does.
stop_program
WINEPREFIX=$SKINUI_WINEPREFIX timeout 60 wineserver -w || true
