#!/usr/bin/env bash
# Times Kalvo's JPEG 2000 encoding and decoding of a 2000 x 1500 picture against opj_compress and
# opj_decompress with equivalent settings: the same BMP in and out, one quality layer, LRCP,
# the reversible 5/3 wavelet with the colour transform, six resolutions, all cores. Runs of the
# two programs alternate so that load from elsewhere hits both alike; the best run counts.
# Usage: scripts/bench-jpeg2k.sh [BUILD_DIR] [RUNS]   (needs scripts/install-bench-deps.sh)
set -euo pipefail
source "$(dirname "$0")/lib/timing.sh"

build=${1:-build}
runs=${2:-5}
cli=$build/bin/kalvo-cli
bench=$build/bin/bench_jpeg2k
for tool in opj_compress opj_decompress; do
  command -v "$tool" >/dev/null || { echo "$tool missing: run scripts/install-bench-deps.sh" >&2; exit 1; }
done
for exe in "$cli" "$bench"; do
  [ -x "$exe" ] || { echo "$exe missing: build kalvo-cli and bench_jpeg2k first" >&2; exit 1; }
done

work=$(mktemp -d /dev/shm/kalvo-j2k.XXXXXX 2>/dev/null || mktemp -d)
trap 'rm -rf "$work"' EXIT
threads=$(nproc)
"$bench" --write-sample "$work/sample.bmp"
opj_compress -i "$work/sample.bmp" -o "$work/ref.jp2" -p LRCP -threads "$threads" >/dev/null

kalvo_encode()       { "$cli" convert "$work/sample.bmp" "$work/k.jp2"; }
opj_encode()         { opj_compress -i "$work/sample.bmp" -o "$work/o.jp2" -p LRCP -threads "$threads"; }
kalvo_encode_lossy() { "$cli" convert "$work/sample.bmp" "$work/k.jp2" --jpeg2k-lossy --jpeg2k-quality 400; }
opj_encode_lossy()   { opj_compress -i "$work/sample.bmp" -o "$work/o.jp2" -p LRCP -r 1.25 -threads "$threads"; }
kalvo_decode()       { "$cli" convert "$work/ref.jp2" "$work/k.bmp"; }
opj_decode()         { opj_decompress -i "$work/ref.jp2" -o "$work/o.bmp" -threads "$threads"; }

# compare LABEL KALVO_FUNCTION OPJ_FUNCTION: best wall and CPU times of both and their ratios.
# The verdict uses wall time; CPU time shows the work done when other load blurs the wall time.
status=0
compare() {
  local label=$1
  best_of "$runs" "$2" "$3"
  local wall cpu verdict=ok
  wall=$(ratio "$kw" "$ow")
  cpu=$(ratio "$kc" "$oc")
  if awk -v r="$wall" 'BEGIN { exit !(r > 1.2) }'; then verdict="SLOWER than 1.2x"; status=1; fi
  printf '%-22s wall: kalvo %5d ms  opj %5d ms  x%s   cpu: kalvo %5d ms  opj %5d ms  x%s   %s\n' \
    "$label" "$kw" "$ow" "$wall" "$kc" "$oc" "$cpu" "$verdict"
}

echo "2000 x 1500, best of $runs runs, $threads threads, load: $(cut -d' ' -f1-3 /proc/loadavg)"
compare "encode JP2 lossless" kalvo_encode opj_encode
compare "encode JP2 rate 0.8" kalvo_encode_lossy opj_encode_lossy
compare "decode JP2" kalvo_decode opj_decode
cmp -s "$work/k.jp2" "$work/o.jp2" && echo "rate 0.8 files identical to opj_compress's"
exit $status
