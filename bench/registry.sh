#!/usr/bin/env bash
# registry.sh [build dir]: times the registry functions beside SQLite used directly for the
# same work (needs a finished release build), prints our time, SQLite's time and their ratio for
# each pair, and as its last line "ratio <x.xx>", the worst (largest) of the ratios.
set -euo pipefail
cd "$(dirname "$0")/.."
bin=${1:-build}/bench/bench_registry
if [ ! -x "$bin" ]; then
  echo "no $bin: build first (bash scripts/build.sh release)" >&2
  exit 1
fi
"$bin" --benchmark_format=csv --benchmark_repetitions="${BENCH_REPETITIONS:-5}" \
  --benchmark_report_aggregates_only=true 2>/dev/null |
  awk -F, '
    # name,iterations,real_time,cpu_time,time_unit,...  (median rows of each repetition set)
    $1 ~ /_median"?$/ {
      name = $1; gsub(/"/, "", name); sub(/_median$/, "", name)
      split(name, part, "/")
      work = part[1]; side = part[2]
      if (!(work in seen)) { seen[work] = 1; order[++n] = work }
      t[work, side] = $4; unit[work] = $5
    }
    END {
      printf "%-14s %12s %12s %8s\n", "work", "ours", "sqlite", "ratio"
      worst = 0
      for (i = 1; i <= n; i++) {
        w = order[i]
        if (t[w, "sqlite"] <= 0) continue
        r = t[w, "ours"] / t[w, "sqlite"]
        if (r > worst) worst = r
        printf "%-14s %9.1f %-2s %9.1f %-2s %8.2f\n", w, t[w, "ours"], unit[w], t[w, "sqlite"], unit[w], r
      }
      if (n == 0) { print "no benchmark results" > "/dev/stderr"; exit 1 }
      printf "ratio %.2f\n", worst
    }'
