#!/usr/bin/env bash
# gtk_peer.sh <build> <name> <processes> <runs>: runs bench/bench_<name> (from a finished
# release build) beside the GTK 3 peer bench/<name>_gtk.c (compiled here against the system's
# GTK), alternately in several processes; each process does one warm-up and <runs> timed runs and
# prints "run <seconds>" lines. Prints the medians, the peak resident memory of each, and as its
# last line "ratio <ours/gtk>". The GTK side needs a display: a private Xvfb when none is set.
set -euo pipefail
cd "$(dirname "$0")/.."
build=$1 name=$2 processes=$3 runs=$4
ours=$build/bench/bench_$name
[ -x "$ours" ] || { echo "missing $ours: run scripts/build.sh release first" >&2; exit 1; }
peer=$build/bench/${name}_gtk
if [ ! -x "$peer" ] || [ "bench/${name}_gtk.c" -nt "$peer" ]; then
  cc -O2 -Wall -Wextra -o "$peer" "bench/${name}_gtk.c" $(pkg-config --cflags --libs gtk+-3.0)
fi
run_all() {
  python3 - "$ours" "$peer" "$processes" "$runs" <<'PY'
import os, statistics, subprocess, sys

ours, peer, processes, runs = sys.argv[1], sys.argv[2], int(sys.argv[3]), sys.argv[4]

def run(program):
    """The per-run times the program prints, and its peak resident set in kB."""
    env = dict(os.environ, SKINUI_HOST="headless")
    proc = subprocess.Popen([program, runs], stdout=subprocess.PIPE, env=env)
    out = proc.stdout.read().decode()
    _, status, usage = os.wait4(proc.pid, 0)
    if status != 0:
        sys.exit(f"{program} failed ({status})")
    times = [float(line.split()[1]) for line in out.splitlines() if line.startswith("run ")]
    return times, usage.ru_maxrss

times = {"ours": [], "gtk": []}
rss = {"ours": 0, "gtk": 0}
for _ in range(processes):
    for side, program in (("ours", ours), ("gtk", peer)):
        t, kb = run(program)
        times[side] += t
        rss[side] = max(rss[side], kb)
median = {side: statistics.median(t) for side, t in times.items()}
print(f"{'side':<6}{'runs':>6}{'median':>12}{'peak RSS':>14}")
for side in ("ours", "gtk"):
    print(f"{side:<6}{len(times[side]):>6}{median[side]:>10.3f} s{rss[side] / 1024:>11.1f} MB")
print(f"ratio {median['ours'] / median['gtk']:.2f}")
PY
}
if [ -n "${DISPLAY:-}" ]; then
  run_all
else
  export ours peer processes runs
  export -f run_all
  bash scripts/with-xvfb.sh bash -c run_all
fi
