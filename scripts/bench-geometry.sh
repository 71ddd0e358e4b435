#!/usr/bin/env bash
# Times kalvo-cli rotate 90 and flip of a generated 24-megapixel photo-like BMP against
# vips rot d90 / vips flip on the same file and on vips's own .v format, whole processes, with
# hyperfine (warm page cache, RUNS runs each, mean and minimum). kalvo-cli convert BMP -> BMP,
# the same reading and writing without the turn, shows what the turn itself costs.
# Needs a built kalvo-cli (BUILD, default build), vips and hyperfine
# (scripts/install-bench-deps.sh).
set -euo pipefail
cd "$(dirname "$0")/.."
BUILD=${BUILD:-build}
RUNS=${RUNS:-10}
cli="$BUILD/bin/kalvo-cli"
[ -x "$cli" ] || { echo "kalvo-cli not found in $BUILD/bin: cmake --build $BUILD --target kalvo-cli" >&2; exit 1; }
for tool in vips hyperfine; do
  command -v $tool >/dev/null || { echo "$tool missing: bash scripts/install-bench-deps.sh" >&2; exit 1; }
done

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
echo "generating a 6000 x 4000 photo-like image ..."
vips gaussnoise "$work/noise.v" 6000 4000 --mean 128 --sigma 40
vips bandjoin "$work/noise.v $work/noise.v $work/noise.v" "$work/rgb.v"
vips cast "$work/rgb.v" "$work/photo.bmp" uchar
vips copy "$work/photo.bmp" "$work/photo.v"

echo "load average: $(cut -d' ' -f1-3 /proc/loadavg)"
hyperfine --warmup 2 --runs "$RUNS" --style basic --export-markdown "$work/table.md" \
  -n "kalvo-cli rotate 90 (BMP)" "$cli rotate $work/photo.bmp $work/k.bmp --angle 90" \
  -n "vips rot d90 (BMP)" "vips rot $work/photo.bmp $work/v.bmp d90" \
  -n "vips rot d90 (.v)" "vips rot $work/photo.v $work/v.v d90" \
  -n "kalvo-cli flip --horizontal (BMP)" "$cli flip $work/photo.bmp $work/f.bmp --horizontal" \
  -n "vips flip horizontal (BMP)" "vips flip $work/photo.bmp $work/vf.bmp horizontal" \
  -n "kalvo-cli convert (BMP, no turn)" "$cli convert $work/photo.bmp $work/c.bmp"
cat "$work/table.md"
