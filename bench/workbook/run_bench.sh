#!/bin/sh
# Runs the workbook benchmark and its peer on the same workbook and prints the ratios
# (peer time / our time; above 1 means we are faster). Wall-clock times on both sides.
#   bench/workbook/run_bench.sh <build dir configured with -DMHBK_BUILD_BENCH=ON>
# The peer needs "npm install" in bench/workbook once; without node_modules only our side runs.
set -eu
here=$(cd "$(dirname "$0")" && pwd)
build=${1:?build directory}
cmake --build "$build" --target mhbk_workbook_bench -j2 >/dev/null
bench="$build/bin/mhbk_workbook_bench"
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
"$bench" --write-workbook "$work/book.json"
"$bench" --benchmark_min_time=1 --benchmark_format=json >"$work/ours.json"
if [ -d "$here/node_modules/hyperformula" ]; then
  node "$here/hyperformula_bench.js" "$work/book.json" >"$work/peer.txt"
else
  echo "hyperformula is not installed (npm install in $here); showing our figures only" >&2
  : >"$work/peer.txt"
fi
python3 - "$work/ours.json" "$work/peer.txt" <<'PY'
import json, sys
ours = {b["name"]: b["real_time"] * {"ms": 1, "us": 1e-3, "ns": 1e-6}[b["time_unit"]]
        for b in json.load(open(sys.argv[1]))["benchmarks"]}
peer = {}
for line in open(sys.argv[2]):
    name, value = line.split(maxsplit=1)
    if name != "check":
        peer[name] = float(value)
    else:
        print("peer", line.strip())
pairs = [("BM_LoadAndRecalculate", "load_and_recalculate"), ("BM_FullRecalculation", "full_recalculation"),
         ("BM_EditOneCell", "edit_one_cell")]
print(f"{'measurement':24} {'mhbk ms':>10} {'peer ms':>10} {'peer/mhbk':>10}")
for ours_name, peer_name in pairs:
    o = ours[ours_name]
    p = peer.get(peer_name)
    print(f"{peer_name:24} {o:10.3f} " + (f"{p:10.3f} {p / o:10.1f}" if p else f"{'-':>10} {'-':>10}"))
PY
