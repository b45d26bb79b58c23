#!/usr/bin/env bash
# strings.sh [build dir]: times CUIString and CStringMapUI beside std::u16string and
# std::unordered_map doing the same work; the last line is "ratio <x.xx>",
# the worst of the ratios.
exec bash "$(dirname "$0")/compare.sh" strings std "$@"
