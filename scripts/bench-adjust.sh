#!/usr/bin/env bash
# Times kalvo-cli's brightness-contrast, blur and sharpen against vips linear, vips gaussblur and
# vips sharpen on a 12-megapixel photograph (a nature photograph of Debian's mate-backgrounds,
# fetched with apt-get download and nothing installed, scaled to 4000 x 3000; PHOTO=file.jpg
# uses another), side by side in one hyperfine run per operation, whole processes: BMP to BMP
# for both (vips reads and writes BMP through ImageMagick), vips on its own .v format, and JPEG
# to JPEG (quality 80) for both. Prints the mean and best wall-clock times and the CPU time.
# Needs a built kalvo-cli (BUILD, default build) and scripts/install-bench-deps.sh. ONLY=blur-5
# (or brightness-contrast, sharpen) runs that comparison alone.
set -euo pipefail
cd "$(dirname "$0")/.."
BUILD=${BUILD:-build}
RUNS=${RUNS:-7}
cli="$(pwd)/$BUILD/bin/kalvo-cli"
[ -x "$cli" ] || { echo "kalvo-cli not found in $BUILD/bin: cmake --build $BUILD --target kalvo-cli" >&2; exit 1; }
command -v vips >/dev/null && command -v hyperfine >/dev/null || {
  echo "vips or hyperfine missing: bash scripts/install-bench-deps.sh" >&2; exit 1; }

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
if [ -z "${PHOTO:-}" ]; then
  (cd "$work" && apt-get download mate-backgrounds >/dev/null 2>&1) || {
    apt-get update >/dev/null && (cd "$work" && apt-get download mate-backgrounds >/dev/null); }
  dpkg-deb -x "$work"/mate-backgrounds_*.deb "$work/pkg"
  PHOTO=$(ls "$work"/pkg/usr/share/backgrounds/mate/nature/*.jpg | head -1)
fi
echo "photograph: $(basename "$PHOTO"), scaled to 4000 x 3000"
vips thumbnail "$PHOTO" "$work/photo.v" 4000 --height 3000 --size force
vips copy "$work/photo.v" "$work/photo.bmp"
vips copy "$work/photo.v" "$work/photo.jpg[Q=95]"
echo "load average: $(cut -d' ' -f1-3 /proc/loadavg)"

# vips OPERATION EXT: the vips command line of OPERATION ("linear IN OUT ...") on photo.EXT.
vips_line() {
  local line=${1//IN/$work/photo.$2} out=$work/v.$2
  [ "$2" = jpg ] && out="$work/v.jpg[Q=80]"
  echo "vips ${line//OUT/$out}"
}

# compare NAME KALVO_ARGS VIPS_OPERATION: one hyperfine run of the five commands.
compare() {
  local name=$1 kalvo=$2 op=$3
  [ -n "${ONLY:-}" ] && [ "$ONLY" != "$name" ] && return
  echo
  echo "== $name"
  hyperfine -N --warmup 1 --runs "$RUNS" --style basic --export-json "$work/$name.json" \
    -n "kalvo-cli BMP" "$cli $kalvo $work/photo.bmp $work/k.bmp" \
    -n "vips BMP" "$(vips_line "$op" bmp)" \
    -n "vips .v" "$(vips_line "$op" v)" \
    -n "kalvo-cli JPEG" "$cli $kalvo $work/photo.jpg $work/k.jpg" \
    -n "vips JPEG" "$(vips_line "$op" jpg)" >/dev/null
  # Wall-clock mean and minimum, and the CPU time (user + system) of the mean run.
  python3 - "$work/$name.json" <<'PY'
import json, sys
rows = json.load(open(sys.argv[1]))["results"]
print(f"{'command':16} {'mean ms':>8} {'min ms':>8} {'cpu ms':>8}")
for r in rows:
    print(f"{r['command']:16} {r['mean'] * 1000:8.0f} {r['min'] * 1000:8.0f} {(r['user'] + r['system']) * 1000:8.0f}")
PY
}

compare brightness-contrast "brightness-contrast --brightness 10 --contrast 20" "linear --uchar IN OUT 1.3 -- -20"
compare blur-5 "blur --radius 5" "gaussblur IN OUT 5"
compare sharpen "sharpen --amount 100 --radius 1" "sharpen IN OUT --sigma 1"
