#!/usr/bin/env bash
# files.sh [build dir]: times file creation and mapped reading through the Windows
# layer beside the same work on POSIX calls; the last line is "ratio <x.xx>",
# the worst of the ratios.
exec bash "$(dirname "$0")/compare.sh" files posix "$@"
