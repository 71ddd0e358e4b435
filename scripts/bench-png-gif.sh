#!/usr/bin/env bash
# Times kalvo-cli convert against ImageMagick's convert on a 24-megapixel (6000 x 4000)
# photograph-like picture (an ImageMagick plasma, enlarged, with Gaussian noise: millions of
# colours), loading and saving PNG and GIF. Both programs read the same files; the GIF save from
# full colour uses nearest-colour reduction on both sides (+dither). Runs of the two programs
# alternate so that load from elsewhere hits both alike; the best run counts.
# Usage: scripts/bench-png-gif.sh [BUILD_DIR] [RUNS]   (needs scripts/install-bench-deps.sh)
set -euo pipefail
source "$(dirname "$0")/lib/timing.sh"

build=${1:-build}
runs=${2:-3}
cli=$build/bin/kalvo-cli
im=${IM_CONVERT:-/usr/bin/convert}
[ -x "$im" ] || { echo "ImageMagick's convert missing: run scripts/install-bench-deps.sh" >&2; exit 1; }
[ -x "$cli" ] || { echo "$cli missing: build kalvo-cli first" >&2; exit 1; }

work=$(mktemp -d /dev/shm/kalvo-pnggif.XXXXXX 2>/dev/null || mktemp -d)
trap 'rm -rf "$work"' EXIT
echo "generating the 6000 x 4000 sample ..."
"$im" -seed 42 -size 1500x1000 plasma:fractal -resize '6000x4000!' -attenuate 0.3 +noise Gaussian \
  -depth 8 -type TrueColor "$work/sample.bmp"
"$cli" convert "$work/sample.bmp" "$work/sample.png"
"$im" "$work/sample.bmp" +dither -colors 256 "$work/sample.gif"

kalvo_png_png() { "$cli" convert "$work/sample.png" "$work/k.png"; }
im_png_png()    { "$im" "$work/sample.png" "$work/m.png"; }
kalvo_png_bmp() { "$cli" convert "$work/sample.png" "$work/k.bmp"; }
im_png_bmp()    { "$im" "$work/sample.png" "$work/m.bmp"; }
kalvo_bmp_png() { "$cli" convert "$work/sample.bmp" "$work/k.png"; }
im_bmp_png()    { "$im" "$work/sample.bmp" "$work/m.png"; }
kalvo_gif_gif() { "$cli" convert "$work/sample.gif" "$work/k.gif"; }
im_gif_gif()    { "$im" "$work/sample.gif" "$work/m.gif"; }
kalvo_gif_bmp() { "$cli" convert "$work/sample.gif" "$work/k.bmp"; }
im_gif_bmp()    { "$im" "$work/sample.gif" "$work/m.bmp"; }
kalvo_bmp_gif() { "$cli" convert "$work/sample.bmp" "$work/k.gif"; }
im_bmp_gif()    { "$im" "$work/sample.bmp" +dither -colors 256 "$work/m.gif"; }

# compare LABEL KALVO_FUNCTION IM_FUNCTION: best wall and CPU times of both and their ratios.
# The verdict needs Kalvo faster in wall and in CPU time.
status=0
compare() {
  local label=$1
  best_of "$runs" "$2" "$3"
  local wall cpu verdict=faster
  wall=$(ratio "$kw" "$ow")
  cpu=$(ratio "$kc" "$oc")
  if [ "$kw" -ge "$ow" ] || [ "$kc" -ge "$oc" ]; then verdict="NOT FASTER"; status=1; fi
  printf '%-24s wall: kalvo %6d ms  IM %6d ms  x%s   cpu: kalvo %6d ms  IM %6d ms  x%s   %s\n' \
    "$label" "$kw" "$ow" "$wall" "$kc" "$oc" "$cpu" "$verdict"
}

echo "6000 x 4000, best of $runs runs, load: $(cut -d' ' -f1-3 /proc/loadavg)"
compare "PNG load + save" kalvo_png_png im_png_png
compare "PNG load (to BMP)" kalvo_png_bmp im_png_bmp
compare "PNG save (from BMP)" kalvo_bmp_png im_bmp_png
compare "GIF load + save" kalvo_gif_gif im_gif_gif
compare "GIF load (to BMP)" kalvo_gif_bmp im_gif_bmp
compare "GIF save (from 24 bits)" kalvo_bmp_gif im_bmp_gif
exit $status
