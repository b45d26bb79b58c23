#!/usr/bin/env bash
# Times a 20-line rich-text block drawn by our layout engine beside pango markup of the same
# text drawn with raw pango (bench_text from a finished release build), prints both times and
# their ratio, and as its last line "ratio <x.xx>".
set -euo pipefail
cd "$(dirname "$0")/.."
build=${1:-build}
bin=$build/bench/bench_text
[ -x "$bin" ] || { echo "missing $bin: run scripts/build.sh release first" >&2; exit 1; }
json=$(mktemp)
trap 'rm -f "$json"' EXIT
SKINUI_HOST=headless "$bin" --benchmark_repetitions=5 --benchmark_report_aggregates_only=true \
  --benchmark_min_time=0.2 --benchmark_format=json >"$json"
python3 - "$json" <<'PY'
import json, sys
runs = json.load(open(sys.argv[1]))["benchmarks"]
median = {r["run_name"]: r["real_time"] for r in runs if r.get("aggregate_name") == "median"}
unit = {r["run_name"]: r["time_unit"] for r in runs}
worst = 0.0
print(f"{'operation':<26}{'ours':>14}{'raw':>14}{'ratio':>8}")
for name in sorted(n[5:] for n in median if n.startswith("Ours/")):
    ours, raw = median["Ours/" + name], median["Raw/" + name]
    ratio = ours / raw
    worst = max(worst, ratio)
    u = unit["Ours/" + name]
    print(f"{name:<26}{ours:>11.1f} {u:<2}{raw:>11.1f} {u:<2}{ratio:>8.2f}")
print(f"ratio {worst:.2f}")
PY
