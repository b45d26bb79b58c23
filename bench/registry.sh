#!/usr/bin/env bash
# registry.sh [build dir]: times the registry functions beside SQLite used directly for
# the same work; the last line is "ratio <x.xx>",
# the worst of the ratios.
exec bash "$(dirname "$0")/compare.sh" registry sqlite "$@"
