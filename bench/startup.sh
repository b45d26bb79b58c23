#!/usr/bin/env bash
# Start-up of the skinned installer beside a GTK 3 peer: the time from process start to the
# first frame on the screen of build/setup/HalvaneSetup (SKINUI_EXIT_AFTER_FIRST_FRAME makes it
# end right after that frame) and of bench/startup_gtk.c (the same window from a GtkBuilder
# description with CSS, compiled here against the system's GTK), alternating runs against one
# Xvfb started with -noreset. Prints the medians, the peak resident memory of both, the CPU time
# HalvaneSetup uses while it sits idle for 10 s, and as its last line "ratio <ours/gtk>".
# STARTUP_RUNS sets the runs per side (default 15).
set -euo pipefail
cd "$(dirname "$0")/.."
build=${1:-build}
ours=$build/setup/HalvaneSetup
background=$build/assets/skin/skin/bg.png
[ -x "$ours" ] && [ -f "$background" ] ||
  { echo "missing $ours or $background: run scripts/build.sh release first" >&2; exit 1; }
peer=$build/bench/startup_gtk
mkdir -p "$(dirname "$peer")"
if [ ! -x "$peer" ] || [ bench/startup_gtk.c -nt "$peer" ]; then
  cc -O2 -Wall -Wextra -o "$peer" bench/startup_gtk.c $(pkg-config --cflags --libs gtk+-3.0)
fi

work=$(mktemp -d)
fifo=$work/display
mkfifo "$fifo"
Xvfb -displayfd 3 -noreset -screen 0 1280x1024x24 -nolisten tcp 3>"$fifo" >/dev/null 2>&1 &
server=$!
trap 'kill $server 2>/dev/null || true; rm -rf "$work"' EXIT
read -r -t 30 number <"$fifo" || { echo "startup: Xvfb did not start" >&2; exit 1; }
export DISPLAY=":$number" NO_AT_BRIDGE=1 SKINUI_HOST=gtk SKINUI_PREFIX=$work/prefix
unset WAYLAND_DISPLAY
for _ in $(seq 100); do xdpyinfo >/dev/null 2>&1 && break; sleep 0.1; done

python3 - "$ours" "$peer" "$background" "${STARTUP_RUNS:-15}" <<'PY'
import glob, os, statistics, subprocess, sys, time

ours, peer, background, runs = sys.argv[1], sys.argv[2], sys.argv[3], int(sys.argv[4])

def first_frame(argv, env):
    """Seconds from the start to the end of a program that exits after its first frame, and
    its peak resident set in kB."""
    start = time.perf_counter()
    proc = subprocess.Popen(argv, env=env, stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
    _, status, usage = os.wait4(proc.pid, 0)
    elapsed = time.perf_counter() - start
    if status != 0:
        sys.exit(f"{argv[0]} ended with status {status}")
    return elapsed, usage.ru_maxrss

ours_env = dict(os.environ, SKINUI_EXIT_AFTER_FIRST_FRAME="1")
first_frame([ours], ours_env)  # the prefix and the font caches are made once, not timed
first_frame([peer, background], os.environ)
times = {"ours": [], "gtk": []}
rss = {"ours": 0, "gtk": 0}
for _ in range(runs):
    for side, argv, env in (("ours", [ours], ours_env), ("gtk", [peer, background], os.environ)):
        t, kb = first_frame(argv, env)
        times[side].append(t)
        rss[side] = max(rss[side], kb)

def cpu_ns(pid):
    """CPU time of every thread of the process so far, from the scheduler's statistics."""
    total = 0
    for path in glob.glob(f"/proc/{pid}/task/*/schedstat"):
        try:
            total += int(open(path).read().split()[0])
        except (OSError, ValueError, IndexError):
            pass
    return total

idle = subprocess.Popen([ours], stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
time.sleep(3)  # started, painted and settled
before = cpu_ns(idle.pid)
time.sleep(10)
after = cpu_ns(idle.pid)
if idle.poll() is not None or before == 0:
    sys.exit(f"{ours} did not stay up for the idle measurement")
idle.terminate()
idle.wait()

med = {side: statistics.median(t) * 1000 for side, t in times.items()}
print(f"{'first frame':<16}{'median':>12}{'min':>10}{'max':>10}{'peak RSS':>12}")
for side in ("ours", "gtk"):
    t = [x * 1000 for x in times[side]]
    print(f"{side:<16}{med[side]:>9.1f} ms{min(t):>7.1f} ms{max(t):>7.1f} ms{rss[side] / 1024:>9.1f} MB")
print(f"idle CPU of ours over 10 s: {(after - before) / 1e6:.2f} ms")
print(f"ratio {med['ours'] / med['gtk']:.2f}")
PY
