#!/usr/bin/env bash
# Whole-process times of the WebP and TIFF codecs on a 12-megapixel photo (4000 x 3000) against
# the libraries' own tools, with hyperfine (warm-up run, then RUNS runs of each command; wall and
# CPU time, the latter the fairer figure on a loaded machine):
#   WebP -> BMP          kalvo-cli convert   vs  dwebp -bmp
#   BMP -> WebP (q 80)   kalvo-cli convert   vs  cwebp -q 80 (from the same pixels as PPM)
#   TIFF (Deflate) read  kalvo-cli convert to BMP  vs  vips copy to its own .v format
#   TIFF (JPEG) read     the same, the photo written by vips with JPEG compression (quality 90)
#   HEIC -> BMP          kalvo-cli convert   vs  heif-convert to PNG (for information)
# The photo is the largest nature photograph of Debian's mate-backgrounds package (fetched with
# apt-get download, nothing installed) scaled to 4000 x 3000; PHOTO=/some/file.jpg uses another.
# Then, when BUILD_DIR holds bench_preview (make bench), the open dialog's preview of the photo's
# WebP, Deflate TIFF and JPEG TIFF (wall and CPU time per preview).
# Usage: scripts/bench-formats.sh [BUILD_DIR] [RUNS]
set -euo pipefail
cd "$(dirname "$0")/.."
build=${1:-build}
runs=${2:-10}
cli=$build/bin/kalvo-cli
[ -x "$cli" ] || { echo "$cli missing: build kalvo-cli first" >&2; exit 1; }
for tool in hyperfine cwebp dwebp vips heif-enc heif-convert /usr/bin/convert; do
  command -v "$tool" >/dev/null || { echo "$tool missing: run scripts/install-deps.sh" >&2; exit 1; }
done

work=$(mktemp -d /dev/shm/kalvo-formats.XXXXXX 2>/dev/null || mktemp -d)
trap 'rm -rf "$work"' EXIT
if [ -z "${PHOTO:-}" ]; then
  (cd "$work" && apt-get download mate-backgrounds >/dev/null 2>&1) || {
    apt-get update >/dev/null && (cd "$work" && apt-get download mate-backgrounds >/dev/null); }
  dpkg-deb -x "$work"/mate-backgrounds_*.deb "$work/pkg"
  PHOTO=$(ls -S "$work"/pkg/usr/share/backgrounds/mate/nature/*.jpg | head -1)
fi
/usr/bin/convert "$PHOTO" -resize '4000x3000^' -gravity center -extent 4000x3000 "$work/photo.ppm"
/usr/bin/convert "$work/photo.ppm" -type TrueColor "BMP3:$work/photo.bmp"
cwebp -quiet -q 80 "$work/photo.ppm" -o "$work/photo.webp"
vips copy "$work/photo.ppm" "$work/photo.tif[compression=deflate]"
vips copy "$work/photo.ppm" "$work/photo-jpeg.tif[compression=jpeg,Q=90]"
/usr/bin/convert "$work/photo.ppm" "$work/photo.png"
heif-enc -q 80 "$work/photo.png" -o "$work/photo.heic" >/dev/null

bench() { # NAME KALVO_COMMAND PEER_COMMAND: mean wall time and mean CPU time (user + system) of each
  echo "== $1"
  hyperfine -N -w 1 -r "$runs" --style basic --export-json "$work/$1.json" "$2" "$3" >/dev/null
  python3 - "$work/$1.json" <<'PY'
import json, sys
results = json.load(open(sys.argv[1]))["results"]
for r in results:
    print(f"  {r['mean'] * 1e3:8.1f} ms wall  {(r['user'] + r['system']) * 1e3:8.1f} ms CPU  {r['command'].split()[0]}")
k, p = results
print(f"  ratio Kalvo/peer: wall {k['mean'] / p['mean']:.2f}, CPU {(k['user'] + k['system']) / (p['user'] + p['system']):.2f}")
PY
}
echo "load before: $(cut -d' ' -f1-3 /proc/loadavg)"
bench webp-to-bmp "$cli convert $work/photo.webp $work/k.bmp" "dwebp -quiet -bmp $work/photo.webp -o $work/d.bmp"
bench bmp-to-webp "$cli convert $work/photo.bmp $work/k.webp" "cwebp -quiet -q 80 $work/photo.ppm -o $work/c.webp"
bench tiff-read "$cli convert $work/photo.tif $work/k.bmp" "vips copy $work/photo.tif $work/v.v"
bench jpeg-tiff-read "$cli convert $work/photo-jpeg.tif $work/k.bmp" "vips copy $work/photo-jpeg.tif $work/v.v"
bench heic-to-bmp "$cli convert $work/photo.heic $work/k.bmp" "heif-convert $work/photo.heic $work/h.png"
echo "load after: $(cut -d' ' -f1-3 /proc/loadavg)"

if [ -x "$build/bin/bench_preview" ]; then
  echo "== preview (150 x 150 box)"
  for file in photo.webp photo.tif photo-jpeg.tif; do
    echo -n "$file: "
    KALVO_PREVIEW_FILE=$work/$file "$build/bin/bench_preview" --benchmark_filter=File 2>/dev/null | grep BM_PreviewFile
  done
fi
