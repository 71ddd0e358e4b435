#!/usr/bin/env bash
# Colour reduction to 256 colours of a generated 24-megapixel photo-like image (6000 x 4000):
# kalvo-cli reduce (median cut, with and without error diffusion) against ImageMagick's
# convert -colors 256 (-dither FloydSteinberg / +dither) on the same BMP file in the same run,
# and pngquant 256 (Floyd-Steinberg by default) on the same picture as PNG. Prints wall-clock
# times (best of RUNS, file reading and writing included) and the PSNR of every result against
# the original, all measured by ImageMagick's compare. Then the colour count against one plain
# pass over the pixels (bench_quantize).
# IMAGE=landscape (default) or waves chooses a generated picture; IMAGE=/path/to/photo.jpg scales
# a real photograph (any format ImageMagick reads) to cover 6000 x 4000 and crops it to that size
# (scripts/bench-quantize-photos.sh fetches a set of photographs). Needs kalvo-cli and bench_quantize
# built (BUILD, default build) and the tools of scripts/install-bench-deps.sh.
set -euo pipefail
source "$(dirname "$0")/lib/timing.sh"
cd "$(dirname "$0")/.."
BUILD=${BUILD:-build}
RUNS=${RUNS:-1}
IMAGE=${IMAGE:-landscape}
cli="$BUILD/bin/kalvo-cli"
bench="$BUILD/bin/bench_quantize"
convert=/usr/bin/convert
compare=/usr/bin/compare
for exe in "$cli" "$bench"; do
  [ -x "$exe" ] || { echo "$exe not found: cmake --build $BUILD --target kalvo-cli bench_quantize" >&2; exit 1; }
done
if ! [ -x "$convert" ] || ! command -v pngquant >/dev/null; then
  bash scripts/install-bench-deps.sh
fi

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
if [ -f "$IMAGE" ]; then
  echo "scaling $IMAGE to 6000 x 4000 ..."
  "$convert" "$IMAGE" -resize '6000x4000^' -gravity center -extent 6000x4000 -type TrueColor \
    BMP3:"$work/photo.bmp"
else
  echo "generating a 6000 x 4000 photo-like image ($IMAGE) ..."
  "$bench" --write-sample "$work/photo.bmp" "$IMAGE"
fi
"$convert" "$work/photo.bmp" "$work/photo.png"

psnr() {
  "$compare" -metric PSNR "$work/photo.bmp" "$1" null: 2>&1 | cut -d' ' -f1 || true
}

k_dither=$(best_seconds "$cli" reduce "$work/photo.bmp" "$work/k_dither.bmp" --colors 256 --dither)
m_dither=$(best_seconds "$convert" "$work/photo.bmp" -dither FloydSteinberg -colors 256 BMP3:"$work/m_dither.bmp")
k_plain=$(best_seconds "$cli" reduce "$work/photo.bmp" "$work/k_plain.bmp" --colors 256)
m_plain=$(best_seconds "$convert" "$work/photo.bmp" +dither -colors 256 BMP3:"$work/m_plain.bmp")
pngq=$(best_seconds pngquant --force --output "$work/pq.png" 256 "$work/photo.png")
k_count=$(best_seconds "$cli" count-colors "$work/photo.bmp")

echo "load average: $(cut -d' ' -f1-3 /proc/loadavg)"
printf '%-52s %9s %9s\n' "256 colours" "time (s)" "PSNR (dB)"
printf '%-52s %9s %9s\n' \
  "kalvo-cli reduce --dither (median cut, FS)" "$k_dither" "$(psnr "$work/k_dither.bmp")" \
  "convert -dither FloydSteinberg -colors 256" "$m_dither" "$(psnr "$work/m_dither.bmp")" \
  "pngquant 256 (PNG in and out)" "$pngq" "$(psnr "$work/pq.png")" \
  "kalvo-cli reduce (median cut, no dithering)" "$k_plain" "$(psnr "$work/k_plain.bmp")" \
  "convert +dither -colors 256" "$m_plain" "$(psnr "$work/m_plain.bmp")"
echo "kalvo-cli count-colors: $("$cli" count-colors "$work/photo.bmp") colours in $k_count s (file reading included)"
awk -v kd="$k_dither" -v md="$m_dither" -v kp="$k_plain" -v mp="$m_plain" 'BEGIN {
  printf "time kalvo / convert: dithered %.2f, plain %.2f\n", kd / md, kp / mp }'

echo "colour count against one pass over the pixels (bench_quantize, in memory):"
"$bench" --benchmark_filter='OnePassOverPixels|CountColors' --benchmark_repetitions=3 \
  --benchmark_report_aggregates_only=true 2>/dev/null | grep -E '_(median)' || true
