#!/usr/bin/env bash
# bench/extract.sh [build folder]: times the installer's extraction driver (tools/extract)
# beside `7zz x` and `bsdtar -xf` on the shipped payload, on a 40 MB payload made the same way,
# and on two many-file payloads (20,000 small files in one folder; 100,000 small files over a
# tree of 1,110 folders), all in this one run. Prints the median wall time and the peak memory
# of each, the ratios, and as its last line `ratio <x.xx>`: the worst of our wall time over the
# faster peer's on the 40 MB and the many-file payloads. SKINUI_BENCH_RUNS sets the runs of the
# shipped and 40 MB payloads (default 5); the many-file ones run 3 times.
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
# Many small files of a few hundred bytes each, packed by 7zz with its default settings.
make_many() {  # make_many <archive> <folders per level> <levels> <files per folder>
  local archive=$1 tree
  [ -f "$archive" ] && return
  tree=$(mktemp -d)
  python3 - "$tree" "$2" "$3" "$4" <<'PY'
import os, sys
root, width, levels, files = sys.argv[1], int(sys.argv[2]), int(sys.argv[3]), int(sys.argv[4])
def fill(folder, depth):
    os.makedirs(folder, exist_ok=True)
    if depth == levels:
        for i in range(files):
            with open(os.path.join(folder, f"file{i:05d}.dat"), "w") as f:
                f.write(f"{folder} {i}\n" * (3 + i % 20))
        return
    for i in range(width):
        fill(os.path.join(folder, f"dir{i:02d}"), depth + 1)
fill(root, 0)
PY
  (cd "$tree" && 7zz a -bso0 -bsp0 "$archive" . >/dev/null)
  rm -rf "$tree"
}
one_folder="$build/bench-data/payload-20000-files.7z"
spread="$build/bench-data/payload-100000-files.7z"
make_many "$one_folder" 0 0 20000
make_many "$spread" 10 3 100
exec python3 - "$build" "$payload_dir/payload.7z" "$big" "${SKINUI_BENCH_RUNS:-5}" \
  "$one_folder" "$spread" <<'PY'
import os, shutil, statistics, sys, tempfile, time

build, shipped, big, runs = sys.argv[1], sys.argv[2], sys.argv[3], int(sys.argv[4])
one_folder, spread = sys.argv[5], sys.argv[6]
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
payloads = (("shipped", shipped, runs), ("40 MB", big, runs), ("20k files", one_folder, 3),
            ("100k files", spread, 3))
for label, archive, runs in payloads:
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

print(f"{'payload':<11} {'tool':<11} {'wall ms':>9} {'peak MB':>9}")
for label, (walls, peaks, packed, unpacked) in results.items():
    for tool in walls:
        print(f"{label:<11} {tool:<11} {walls[tool] * 1000:9.1f} {peaks[tool] / 1024:9.1f}")
for label, (walls, peaks, packed, unpacked) in results.items():
    peer = min(("7zz x", "bsdtar -xf"), key=lambda t: walls[t])
    print(f"{label}: {unpacked} bytes unpacked from {packed}; faster peer {peer}: "
          f"wall {walls['ours'] / walls[peer]:.2f}x, peak memory {peaks['ours'] / peaks[peer]:.2f}x "
          f"(7zz {peaks['ours'] / peaks['7zz x']:.2f}x, bsdtar {peaks['ours'] / peaks['bsdtar -xf']:.2f}x)")
shutil.rmtree(work, ignore_errors=True)
def ratio(label):
    walls = results[label][0]
    return walls['ours'] / min(walls['7zz x'], walls['bsdtar -xf'])
print(f"ratio {max(ratio(label) for label in ('40 MB', '20k files', '100k files')):.2f}")
PY
