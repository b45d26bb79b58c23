#!/usr/bin/env bash
# Skin markup parsing against pugixml and expat on a generated 1 MB skin document (and the image
# loading of a 30-image skin archive). Expects a finished release build (bash scripts/build.sh
# release). The last line is "ratio <x.xx>": our parse time over pugixml's, the worse of the
# UTF-16 and UTF-8 comparisons.
set -euo pipefail
cd "$(dirname "$0")/.."
bin=${1:-build}/bench/bench_markup
[ -x "$bin" ] || { echo "no $bin: build first (bash scripts/build.sh release)" >&2; exit 1; }
"$bin" --benchmark_min_time="${SKINUI_BENCH_SECONDS:-1}" --benchmark_repetitions=3 \
  --benchmark_report_aggregates_only=true --benchmark_color=false
