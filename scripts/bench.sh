#!/usr/bin/env bash
# Builds Release (-O3) and runs every benchmark program. Where Wine and mingw-w64 are installed
# (scripts/setup.sh --wine), it then times the same calls with real GDI in the same sitting
# and prints each of ours as a ratio to its peer, each side the fastest of ten runs. Extra
# arguments go to every benchmark program.
set -euo pipefail
cd "$(dirname "$0")/.."
./scripts/setup.sh
cmake -S . -B build/release -G Ninja -DCMAKE_BUILD_TYPE=Release -DQM_BUILD_TESTS=ON -DQM_WERROR=ON \
  -DQM_BUILD_BENCH=ON >/dev/null
cmake --build build/release
results=build/release/bench-results
mkdir -p "$results"
for program in build/release/bench/bench_*; do
  name=$(basename "$program")
  echo "== $name"
  "$program" --benchmark_out="$results/$name.json" --benchmark_out_format=json "$@"
done

if ! command -v x86_64-w64-mingw32-gcc >/dev/null || [ ! -x /usr/lib/wine/wine64 ]; then
  echo "Wine or mingw-w64 missing (scripts/setup.sh --wine installs them): no GDI peer timed."
  exit 0
fi
echo "Timing the same calls with real GDI under Wine..."
tools/wine/run-gdi-program.sh tools/wine/gdi-bench.c | tr -d '\r' >"$results/wine.txt"
python3 - "$results/bench_GdiBench.json" "$results/wine.txt" <<'PY'
import json, re, sys
# The fastest of the repeated runs ("_min"), else the only run.
ours = {}
for b in json.load(open(sys.argv[1]))["benchmarks"]:
    name = re.sub(r"/repeats:\d+$", "", b.get("run_name", b["name"]))
    if b.get("aggregate_name") == "min":
        ours[name] = b["real_time"]
    elif b.get("run_type", "iteration") == "iteration":
        ours.setdefault(name, b["real_time"])
wine = dict((name, float(ms)) for name, ms in (line.split() for line in open(sys.argv[2])))
rows = [("FillRect", "Memset", ours.get("Memset"), "memset", 1.5)]
rows += [(n, n, wine.get(n), "Wine", goal) for n, goal in
         [("FillRect", None), ("GradientPaint/horizontal", 0.5),
          ("GradientPaint/vertical", 0.5), ("GradientPaint/conical", 1.0)]]
print(f"{'benchmark':28} {'ours ms':>9} {'peer':>8} {'peer ms':>9} {'ratio':>7}  goal")
for name, _, peer, peer_name, goal in rows:
    if name not in ours or peer is None:
        continue
    ratio = ours[name] / peer
    verdict = "" if goal is None else (f"<= {goal}  " + ("met" if ratio <= goal else "MISSED"))
    print(f"{name:28} {ours[name]:9.3f} {peer_name:>8} {peer:9.3f} {ratio:7.2f}  {verdict}")
PY
