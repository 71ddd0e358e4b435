#!/usr/bin/env bash
# Quality of the 256-colour reductions on real photographs: the nature photographs of Debian's
# mate-backgrounds package (fetched with apt-get download, nothing installed), each at its own
# size, reduced by kalvo-cli (median cut, with and without error diffusion) and by ImageMagick's
# convert -colors 256 (-dither FloydSteinberg / +dither). Prints the PSNR of every result against
# the original (ImageMagick's compare). PHOTOS=/some/folder uses the JPEG files there instead.
# With SCALE=1 each photograph is also run at 6000 x 4000 through bench-quantize.sh (times too).
set -euo pipefail
cd "$(dirname "$0")/.."
BUILD=${BUILD:-build}
cli="$BUILD/bin/kalvo-cli"
convert=/usr/bin/convert
compare=/usr/bin/compare
[ -x "$cli" ] || { echo "$cli not found: cmake --build $BUILD --target kalvo-cli" >&2; exit 1; }
[ -x "$convert" ] || bash scripts/install-bench-deps.sh

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
if [ -z "${PHOTOS:-}" ]; then
  (cd "$work" && apt-get download mate-backgrounds >/dev/null 2>&1) || {
    apt-get update >/dev/null && (cd "$work" && apt-get download mate-backgrounds >/dev/null); }
  dpkg-deb -x "$work"/mate-backgrounds_*.deb "$work/pkg"
  PHOTOS="$work/pkg/usr/share/backgrounds/mate/nature"
fi

psnr() { "$compare" -metric PSNR "$1" "$2" null: 2>&1 | cut -d' ' -f1 || true; }

printf '%-16s %11s %11s %11s %11s %8s\n' photograph "kalvo FS" "IM FS" "kalvo plain" "IM plain" "FS diff"
for photo in "$PHOTOS"/*.jpg; do
  name=$(basename "$photo" .jpg)
  "$convert" "$photo" -type TrueColor BMP3:"$work/in.bmp"
  "$cli" reduce "$work/in.bmp" "$work/kd.bmp" --colors 256 --dither >/dev/null
  "$cli" reduce "$work/in.bmp" "$work/kp.bmp" --colors 256 >/dev/null
  "$convert" "$work/in.bmp" -dither FloydSteinberg -colors 256 BMP3:"$work/md.bmp"
  "$convert" "$work/in.bmp" +dither -colors 256 BMP3:"$work/mp.bmp"
  kd=$(psnr "$work/in.bmp" "$work/kd.bmp") md=$(psnr "$work/in.bmp" "$work/md.bmp")
  kp=$(psnr "$work/in.bmp" "$work/kp.bmp") mp=$(psnr "$work/in.bmp" "$work/mp.bmp")
  printf '%-16s %11.2f %11.2f %11.2f %11.2f %+8.2f\n' "$name" "$kd" "$md" "$kp" "$mp" \
    "$(awk -v a="$kd" -v b="$md" 'BEGIN { print a - b }')"
  if [ "${SCALE:-0}" = 1 ]; then
    IMAGE="$photo" BUILD="$BUILD" bash scripts/bench-quantize.sh | sed -n '3,7p'
  fi
done
