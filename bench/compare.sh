#!/usr/bin/env bash
# compare.sh <benchmark> <peer> [build dir]: runs build/bench/bench_<benchmark>, whose cases are
# named <work>/ours and <work>/<peer>, and prints for each work our median time, the peer's and
# their ratio; its last line is "ratio <x.xx>", the worst (largest) of the ratios.
# BENCH_REPETITIONS sets the repetitions (default 5). Needs a finished release build.
set -euo pipefail
benchmark=$1
peer=$2
build=${3:-$(dirname "$0")/../build}
bin=$build/bench/bench_$benchmark
if [ ! -x "$bin" ]; then
  echo "no $bin: build first (bash scripts/build.sh release)" >&2
  exit 1
fi
"$bin" --benchmark_format=csv --benchmark_repetitions="${BENCH_REPETITIONS:-5}" \
  --benchmark_report_aggregates_only=true 2>/dev/null |
  awk -F, -v peer="$peer" '
    # name,iterations,real_time,cpu_time,time_unit,...  (median rows of each repetition set)
    $1 ~ /_median"?$/ {
      name = $1; gsub(/"/, "", name); sub(/_median$/, "", name)
      split(name, part, "/")
      work = part[1]; side = part[2]
      if (!(work in seen)) { seen[work] = 1; order[++n] = work }
      t[work, side] = $4; unit[work] = $5
    }
    END {
      printf "%-14s %12s %12s %8s\n", "work", "ours", peer, "ratio"
      worst = 0
      for (i = 1; i <= n; i++) {
        w = order[i]
        if (t[w, peer] <= 0) continue
        r = t[w, "ours"] / t[w, peer]
        if (r > worst) worst = r
        printf "%-14s %9.1f %-2s %9.1f %-2s %8.2f\n", w, t[w, "ours"], unit[w], t[w, peer], unit[w], r
      }
      if (n == 0) { print "no benchmark results" > "/dev/stderr"; exit 1 }
      printf "ratio %.2f\n", worst
    }'
