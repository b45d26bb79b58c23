#!/usr/bin/env bash
# bench/extract.sh [build folder]: times the installer's extraction driver (tools/extract)
# beside `7zz x` and `bsdtar -xf` on the shipped payload and on a 40 MB payload made the same
# way, all in this one run. Prints the median wall time and the peak memory of each, the ratios,
# and as its last line `ratio <x.xx>`: our wall time over the faster peer's on the 40 MB payload.
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
build=$(cd "${1:-$here/../build}" && pwd)
payload_dir="$build/assets/payload"
big="$build/bench-data/payload-40mb.7z"
if [ ! -f "$big" ]; then
  mkdir -p "$(dirname "$big")"
  bash "$here/../assets/payload/pack.sh" "$big" 40000000 \
    "$payload_dir/programs/PlayCrate.exe" "$payload_dir/programs/Uninstall.exe"
fi
exec python3 - "$build" "$payload_dir/payload.7z" "$big" "${SKINUI_BENCH_RUNS:-5}" <<'PY'
import os, shutil, statistics, sys, tempfile, time

build, shipped, big, runs = sys.argv[1], sys.argv[2], sys.argv[3], int(sys.argv[4])
ours = os.path.join(build, "tools", "extract", "extract_payload")
work = tempfile.mkdtemp(prefix="skinui-bench-extract-")
os.environ["SKINUI_PREFIX"] = os.path.join(work, "prefix")

def commands(archive, out):
    return {
        "ours": [ours, archive, out],
        "7zz x": ["7zz", "x", "-y", "-bso0", "-bsp0", "-o" + out, archive],
        "bsdtar -xf": ["bsdtar", "-xf", archive, "-C", out],
    }

def run(argv, out):
    shutil.rmtree(out, ignore_errors=True)
    os.makedirs(out)
    start = time.perf_counter()
    pid = os.fork()
    if pid == 0:
        try:
            os.execvp(argv[0], argv)
        finally:
            os._exit(127)
    _, status, usage = os.wait4(pid, 0)
    wall = time.perf_counter() - start
    if os.waitstatus_to_exitcode(status) != 0:
        sys.exit(f"bench: {' '.join(argv)} failed")
    return wall, usage.ru_maxrss  # kilobytes

def tree(root):
    found = {}
    for folder, _, files in os.walk(root):
        for name in files:
            path = os.path.join(folder, name)
            found[os.path.relpath(path, root)] = os.path.getsize(path)
    return found

results = {}
for label, archive in (("shipped", shipped), ("40 MB", big)):
    outs = {}
    for tool, argv in commands(archive, "").items():
        outs[tool] = os.path.join(work, f"{label}-{tool}".replace(" ", "_"))
    times = {tool: [] for tool in outs}
    peaks = {tool: 0 for tool in outs}
    for _ in range(runs):
        for tool, argv in commands(archive, "").items():
            argv = commands(archive, outs[tool])[tool]
            wall, peak = run(argv, outs[tool])
            times[tool].append(wall)
            peaks[tool] = max(peaks[tool], peak)
    reference = tree(outs["7zz x"])
    for tool in outs:
        if tree(outs[tool]) != reference:
            sys.exit(f"bench: {tool} unpacked something else than 7zz on the {label} payload")
    results[label] = ({t: statistics.median(v) for t, v in times.items()}, peaks,
                      os.path.getsize(archive), sum(reference.values()))
    for tool in outs:
        shutil.rmtree(outs[tool], ignore_errors=True)

print(f"{'payload':<9} {'tool':<11} {'wall ms':>9} {'peak MB':>9}")
for label, (walls, peaks, packed, unpacked) in results.items():
    for tool in walls:
        print(f"{label:<9} {tool:<11} {walls[tool] * 1000:9.1f} {peaks[tool] / 1024:9.1f}")
for label, (walls, peaks, packed, unpacked) in results.items():
    peer = min(("7zz x", "bsdtar -xf"), key=lambda t: walls[t])
    print(f"{label}: {unpacked} bytes unpacked from {packed}; faster peer {peer}: "
          f"wall {walls['ours'] / walls[peer]:.2f}x, peak memory {peaks['ours'] / peaks[peer]:.2f}x "
          f"(7zz {peaks['ours'] / peaks['7zz x']:.2f}x, bsdtar {peaks['ours'] / peaks['bsdtar -xf']:.2f}x)")
shutil.rmtree(work, ignore_errors=True)
walls = results["40 MB"][0]
print(f"ratio {walls['ours'] / min(walls['7zz x'], walls['bsdtar -xf']):.2f}")
PY
