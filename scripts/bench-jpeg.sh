#!/usr/bin/env bash
# Times Kalvo's JPEG decoding, encoding and lossless rotation of a 24-megapixel (6000 x 4000)
# picture against libjpeg-turbo's djpeg, cjpeg and jpegtran on the same files, and measures the
# peak memory of opening it. Runs of the two programs alternate so that load from elsewhere hits
# both alike; the best run counts.
#   open (convert JPEG -> BMP)  at most 1.15 x djpeg -bmp
#   save (BMP -> JPEG)          at most 1.15 x cjpeg -quality 80; the verdict uses the JPEG save
#                               behind a plain BMP read (bench_jpeg --save-bmp-as-jpeg); the row
#                               for `kalvo-cli convert` adds the editor's BMP loader and is shown
#                               for information
#   lossless-jpeg --rotate 90   at most 1.2 x jpegtran -rotate 90 -copy all
#   peak memory of `info`       at most 1.3 x the decoded image + 20 MiB
# Usage: scripts/bench-jpeg.sh [BUILD_DIR] [RUNS]   (needs scripts/install-bench-deps.sh)
set -euo pipefail
source "$(dirname "$0")/lib/timing.sh"

build=${1:-build}
runs=${2:-5}
cli=$build/bin/kalvo-cli
bench=$build/bin/bench_jpeg
for tool in djpeg cjpeg jpegtran /usr/bin/time; do
  command -v "$tool" >/dev/null || { echo "$tool missing: run scripts/install-bench-deps.sh" >&2; exit 1; }
done
for exe in "$cli" "$bench"; do
  [ -x "$exe" ] || { echo "$exe missing: build kalvo-cli and bench_jpeg first" >&2; exit 1; }
done

work=$(mktemp -d /dev/shm/kalvo-jpeg.XXXXXX 2>/dev/null || mktemp -d)
trap 'rm -rf "$work"' EXIT
"$bench" --write-sample "$work/sample.bmp"
"$bench" --write-sample "$work/sample.jpg"
cp "$work/sample.jpg" "$work/turn.jpg"

kalvo_open()   { "$cli" convert "$work/sample.jpg" "$work/k.bmp"; }
djpeg_open()   { djpeg -bmp -outfile "$work/o.bmp" "$work/sample.jpg"; }
kalvo_save()   { "$bench" --save-bmp-as-jpeg "$work/sample.bmp" "$work/k.jpg" 80; }
kalvo_convert_save() { "$cli" convert "$work/sample.bmp" "$work/k.jpg" --jpeg-quality 80; }
cjpeg_save()   { cjpeg -quality 80 -outfile "$work/o.jpg" "$work/sample.bmp"; }
kalvo_rotate() { "$cli" lossless-jpeg "$work/turn.jpg" --rotate 90; }
jpegtran_rotate() { jpegtran -rotate 90 -copy all -outfile "$work/o.jpg" "$work/sample.jpg"; }

# compare LABEL LIMIT KALVO_FUNCTION REFERENCE_FUNCTION: best wall and CPU times and their ratios.
# Too slow only when both ratios exceed LIMIT: on a busy machine wall time measures the other load.
# LIMIT 0 shows the figures without a verdict.
status=0
compare() {
  local label=$1 limit=$2
  best_of "$runs" "$3" "$4"
  local wall cpu verdict=ok
  wall=$(ratio "$kw" "$ow")
  cpu=$(ratio "$kc" "$oc")
  if [ "$limit" = 0 ]; then
    verdict="(information)"
  elif awk -v w="$wall" -v c="$cpu" -v l="$limit" 'BEGIN { exit !(w > l && c > l) }'; then
    verdict="SLOWER than ${limit}x"; status=1
  fi
  printf '%-24s wall: kalvo %5d ms  ref %5d ms  x%s   cpu: kalvo %5d ms  ref %5d ms  x%s   %s\n' \
    "$label" "$kw" "$ow" "$wall" "$kc" "$oc" "$cpu" "$verdict"
}

echo "6000 x 4000, $(stat -c %s "$work/sample.jpg") byte JPEG, best of $runs runs, load: $(cut -d' ' -f1-3 /proc/loadavg)"
compare "open (vs djpeg -bmp)" 1.15 kalvo_open djpeg_open
compare "save q80 (vs cjpeg)" 1.15 kalvo_save cjpeg_save
compare "convert BMP -> JPEG" 0 kalvo_convert_save cjpeg_save
compare "rotate 90 (vs jpegtran)" 1.2 kalvo_rotate jpegtran_rotate

# Page faults of one rotation each: large buffers in huge pages take a few thousand, in 4 KiB pages
# tens of thousands.
faults() { /usr/bin/time -f %R "$@" 2>&1 >/dev/null | tail -1; }
printf 'page faults of a rotation kalvo %d  jpegtran %d\n' \
  "$(faults "$cli" lossless-jpeg "$work/turn.jpg" --rotate 90)" \
  "$(faults jpegtran -rotate 90 -copy all -outfile "$work/o.jpg" "$work/sample.jpg")"

# Peak memory of opening: kalvo-cli info decodes the whole picture and prints one line.
peak_kb=$(/usr/bin/time -f %M "$cli" info "$work/sample.jpg" 2>&1 >/dev/null | tail -1)
decoded_kb=$(( 6000 * 4000 * 3 / 1024 ))
limit_kb=$(( decoded_kb * 13 / 10 + 20 * 1024 ))
verdict=ok
if [ "$peak_kb" -gt "$limit_kb" ]; then verdict="OVER"; status=1; fi
printf 'peak memory of opening   %d KiB (decoded image %d KiB, limit %d KiB)   %s\n' \
  "$peak_kb" "$decoded_kb" "$limit_kb" "$verdict"
exit $status
