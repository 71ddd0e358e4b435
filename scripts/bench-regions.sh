#!/usr/bin/env bash
# Runs the region benchmarks and checks that they scale linearly: a checkerboard of 3000 x 3000
# pixels has 9 times the rectangles of one of 1000 x 1000 and may cost at most 12 times the time
# (MonoBitmapToRegion, the region stream load and ScaleRegion).
# Two allocator settings are measured, because large buffers (72 MB at 3000 x 3000) come fresh
# from the kernel with page faults while small ones are reused between iterations:
#   warm: every buffer is reused (large mmap threshold), the algorithm's own cost;
#   cold: every buffer of 64 KiB or more is fresh (small mmap threshold), a one-off operation.
# The best of the repetitions (CPU time) counts.
# Usage: scripts/bench-regions.sh [BUILD_DIR] [REPETITIONS]
set -euo pipefail

build=${1:-build}
reps=${2:-3}
bench=$build/bin/bench_region
[ -x "$bench" ] || { echo "$bench missing: build the target bench_region first" >&2; exit 1; }

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
filter='MonoBitmapToRegion|RegionStreamLoad|ScaleRegion'

run() { # name threshold
  env MALLOC_MMAP_THRESHOLD_="$2" MALLOC_TRIM_THRESHOLD_="$2" "$bench" \
    --benchmark_filter="$filter" --benchmark_repetitions="$reps" \
    --benchmark_out="$work/$1.json" --benchmark_out_format=json >/dev/null 2>"$work/$1.log"
}
run warm 1073741824
run cold 65536

python3 - "$work" <<'PY'
import json, sys
status = 0
for mode in ("warm", "cold"):
    data = json.load(open(f"{sys.argv[1]}/{mode}.json"))
    best = {}
    for b in data["benchmarks"]:
        if b.get("run_type") != "iteration":
            continue
        best[b["run_name"]] = min(best.get(b["run_name"], 1e30), b["cpu_time"])
    for name in ("BM_MonoBitmapToRegion", "BM_RegionStreamLoad", "BM_ScaleRegion"):
        small, large = best[f"{name}/1000"], best[f"{name}/3000"]
        ratio = large / small
        ok = ratio <= 12
        status |= not ok
        print(f"{mode:4} {name:22} 1000: {small:7.1f} ms  3000: {large:7.1f} ms  "
              f"ratio {ratio:5.2f}  {'ok' if ok else 'TOO SLOW'}")
sys.exit(status)
PY
