#!/usr/bin/env bash
# Start-up time of kalvo-cli against libjpeg-turbo's cjpeg: `kalvo-cli --version` and
# `cjpeg -version`, whole processes, in alternating rounds so that both see the same machine
# load. Prints the median of each (wall and CPU time) and their ratios, and the libraries
# kalvo-cli loads at start (the WebP, TIFF and HEIF libraries are opened on first use).
# Needs a built kalvo-cli (BUILD, default build), hyperfine and cjpeg (libjpeg-turbo-progs).
set -euo pipefail
cd "$(dirname "$0")/.."
BUILD=${BUILD:-build}
ROUNDS=${ROUNDS:-20}
RUNS=${RUNS:-20}
cli="$BUILD/bin/kalvo-cli"
[ -x "$cli" ] || { echo "kalvo-cli not found in $BUILD/bin: cmake --build $BUILD --target kalvo-cli" >&2; exit 1; }
for tool in hyperfine cjpeg python3; do
  command -v $tool >/dev/null || { echo "$tool missing: bash scripts/install-bench-deps.sh" >&2; exit 1; }
done

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
for round in $(seq "$ROUNDS"); do
  hyperfine -N -w 3 -r "$RUNS" --export-json "$work/$round.json" "cjpeg -version" "$cli --version" >/dev/null 2>&1
done
python3 - "$work" <<'PY'
import glob, json, statistics, sys
times = {0: [], 1: []}
cpu = {0: [], 1: []}  # user + system, a mean per round
for path in glob.glob(sys.argv[1] + "/*.json"):
    for i, result in enumerate(json.load(open(path))["results"]):
        times[i] += result["times"]
        cpu[i].append(result["user"] + result["system"])
cjpeg, cli = (statistics.median(times[i]) * 1000 for i in (0, 1))
cjpeg_cpu, cli_cpu = (statistics.median(cpu[i]) * 1000 for i in (0, 1))
print(f"cjpeg -version       median {cjpeg:.2f} ms wall, {cjpeg_cpu:.2f} ms CPU ({len(times[0])} runs)")
print(f"kalvo-cli --version  median {cli:.2f} ms wall, {cli_cpu:.2f} ms CPU ({len(times[1])} runs)")
print(f"ratio {cli / cjpeg:.2f} wall, {cli_cpu / cjpeg_cpu:.2f} CPU")
PY
echo "kalvo-cli loads $(ldd "$cli" | wc -l) shared objects; graphical ones (none expected):" \
  "$(ldd "$cli" | grep -E 'Qt6Gui|libX11|libxcb|libEGL|libGL[.X]|libOpenGL|fontconfig|freetype' | awk '{print $1}' | tr '\n' ' ')"
