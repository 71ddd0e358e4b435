#!/usr/bin/env bash
# Times the smooth resize to 50 % of a generated 24-megapixel photo-like image:
# kalvo-cli resize --percent 50 --resample against vips resize 0.5 and ImageMagick's
# convert -resize 50%, on the same BMP file in the same run (best of RUNS wall-clock times,
# file reading and writing included). vips is also timed on its own .v format, where it
# spends almost nothing on input and output.
# Needs a built kalvo-cli (BUILD, default build) and scripts/install-bench-deps.sh.
set -euo pipefail
source "$(dirname "$0")/lib/timing.sh"
cd "$(dirname "$0")/.."
BUILD=${BUILD:-build}
RUNS=${RUNS:-5}
cli="$BUILD/bin/kalvo-cli"
convert=/usr/bin/convert
[ -x "$cli" ] || { echo "kalvo-cli not found in $BUILD/bin: cmake --build $BUILD --target kalvo-cli" >&2; exit 1; }
for tool in vips "$convert"; do
  command -v "$tool" >/dev/null || { echo "$tool missing: bash scripts/install-bench-deps.sh" >&2; exit 1; }
done

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
echo "generating a 6000 x 4000 photo-like image ..."
"$convert" -size 6000x4000 gradient:'#203870'-'#f0c060' -attenuate 0.5 +noise Gaussian \
  -type TrueColor BMP3:"$work/photo.bmp"
vips copy "$work/photo.bmp" "$work/photo.v"

kalvo=$(best_seconds "$cli" resize "$work/photo.bmp" "$work/k.bmp" --percent 50 --resample)
vips_bmp=$(best_seconds vips resize "$work/photo.bmp" "$work/v.bmp" 0.5)
vips_v=$(best_seconds vips resize "$work/photo.v" "$work/v.v" 0.5)
magick=$(best_seconds "$convert" "$work/photo.bmp" -resize 50% BMP3:"$work/m.bmp")
"$cli" info "$work/k.bmp"

echo "load average: $(cut -d' ' -f1-3 /proc/loadavg)"
printf '%-46s %8s s\n' "kalvo-cli resize --percent 50 --resample (BMP)" "$kalvo" \
  "vips resize 0.5 (BMP)" "$vips_bmp" "vips resize 0.5 (.v)" "$vips_v" \
  "convert -resize 50% (BMP)" "$magick"
awk -v k="$kalvo" -v vb="$vips_bmp" -v vv="$vips_v" -v m="$magick" 'BEGIN {
  printf "kalvo / vips (BMP) = %.2f, kalvo / vips (.v) = %.2f, kalvo / convert = %.2f\n", k / vb, k / vv, k / m }'
