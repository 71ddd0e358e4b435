#!/usr/bin/env bash
# Times the negative of a generated 24-megapixel photo-like BMP: kalvo-cli negative against
# vips invert on the same file in the same run, and vips on its own .v format (best of RUNS wall-clock times, whole processes),
# and kalvo-cli convert BMP -> BMP, the same reading and writing without the negative, so that
# the negative's own cost is their difference. Prints that cost against one copy of the pixels
# (cp of the BMP within the page cache).
# Needs a built kalvo-cli (BUILD, default build) and scripts/install-bench-deps.sh.
set -euo pipefail
source "$(dirname "$0")/lib/timing.sh"
cd "$(dirname "$0")/.."
BUILD=${BUILD:-build}
RUNS=${RUNS:-7}
cli="$BUILD/bin/kalvo-cli"
[ -x "$cli" ] || { echo "kalvo-cli not found in $BUILD/bin: cmake --build $BUILD --target kalvo-cli" >&2; exit 1; }
command -v vips >/dev/null || { echo "vips missing: bash scripts/install-bench-deps.sh" >&2; exit 1; }

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
echo "generating a 6000 x 4000 photo-like image ..."
vips gaussnoise "$work/noise.v" 6000 4000 --mean 128 --sigma 40
vips bandjoin "$work/noise.v $work/noise.v $work/noise.v" "$work/rgb.v"
vips cast "$work/rgb.v" "$work/photo.bmp" uchar

kalvo=$(best_seconds "$cli" negative "$work/photo.bmp" "$work/k.bmp")
convert=$(best_seconds "$cli" convert "$work/photo.bmp" "$work/c.bmp")
vips=$(best_seconds vips invert "$work/photo.bmp" "$work/v.bmp")
vips copy "$work/photo.bmp" "$work/photo.v"
vips_v=$(best_seconds vips invert "$work/photo.v" "$work/v.v")
copy=$(best_seconds cp "$work/photo.bmp" "$work/copy.bmp")

echo "load average: $(cut -d' ' -f1-3 /proc/loadavg)"
printf '%-40s %8s s\n' "kalvo-cli negative (BMP)" "$kalvo" "vips invert (BMP)" "$vips" "vips invert (.v)" "$vips_v" \
  "kalvo-cli convert (BMP, no negative)" "$convert" "cp of the BMP" "$copy"
awk -v k="$kalvo" -v v="$vips" -v vv="$vips_v" -v c="$convert" -v p="$copy" 'BEGIN {
  own = k - c; if (own < 0) own = 0
  printf "kalvo / vips (BMP) = %.2f, kalvo / vips (.v) = %.2f\n", k / v, k / vv
  printf "negative itself %.3f s = %.2f x one copy of the pixels\n", own, own / (p > 0 ? p : 0.001) }'
