#!/usr/bin/env bash
# Short, bounded fuzz run: replay the kept corpus (every input that once crashed stays there),
# then explore from a scratch copy so the source tree is never written. The seed is fixed so a
# red run can be repeated; set SKINUI_FUZZ_SEED to explore elsewhere.
set -euo pipefail
target=$1 corpus=$2 work=$3
rm -rf "$work" && mkdir -p "$work"
if [ -d "$corpus" ] && [ -n "$(ls -A "$corpus")" ]; then
  cp -r "$corpus"/. "$work"/
fi
exec "$target" -seed="${SKINUI_FUZZ_SEED:-1}" -max_total_time="${SKINUI_FUZZ_SECONDS:-20}" -rss_limit_mb=2048 -timeout=10 \
  -print_final_stats=1 "$work"
