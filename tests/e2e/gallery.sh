#!/usr/bin/env bash
# The gallery on a real display: every tab button switches to its page, each page looks like its
# stored picture and the notifications are the expected ones. The date page is given a fixed
# date, so only text hinting may move a few pixels. Run under Xvfb with the build folder as $1;
# SKINUI_UPDATE_GOLDEN=1 stores the pictures taken as the new stored ones instead of comparing.
build=$1
golden_dir="${SKINUI_TEST_DATA:-$(dirname "$0")/../data}/golden"
# Pixels of one page that may differ by more than the fuzz. Repeated runs, idle and under a
# parallel build, differ in none; a few are allowed for the shading of a glyph's edge. One digit
# of the date changed is about 35, so the margin stays well below that.
tolerance=${GALLERY_TOLERANCE:-10}
source "$(dirname "$0")/../support/e2e.sh"

gallery_tour "$golden_dir" "$tolerance" env SKINUI_HOST=gtk "$build/demo/Gallery"
