#!/usr/bin/env bash
# End-to-end: `kalvo FILE` opens the picture after start-up (the title names it), also a WebP,
# TIFF, HEIC and AVIF file; `kalvo MISSING` shows a message and leaves an empty editor; `--help`
# and `--version` print one line and exit without a display; a usage error prints the usage line
# on standard error and exits with 2, with or without a display.
set -euo pipefail
kalvo=$1
here=$(dirname "$(readlink -f "$0")")
. "$here/lib.sh"
e2e_workspace

[ "$(env -u DISPLAY "$kalvo" --version | wc -l)" = 1 ] || { echo "--version"; exit 1; }
env -u DISPLAY "$kalvo" --version | grep -q '^Kalvo [0-9]' || { echo "--version text"; exit 1; }
env -u DISPLAY "$kalvo" --help | grep -q '^Usage: kalvo \[FILE\]' || { echo "--help text"; exit 1; }

usage_error() { # $@: arguments that are a usage error: the usage line on stderr, exit 2
  local status=0
  "$kalvo" "$@" >"$work/out" 2>"$work/err" || status=$?
  [ "$status" = 2 ] || { echo "kalvo $*: exit $status"; exit 1; }
  grep -q '^Usage: kalvo \[FILE\]' "$work/err" || { echo "kalvo $*: no usage line on stderr"; exit 1; }
  [ ! -s "$work/out" ] || { echo "kalvo $*: wrote to stdout"; exit 1; }
}
(unset DISPLAY; usage_error --bogus; usage_error a.bmp b.bmp)

python3 - "$work/photo one.bmp" <<'PY'
import struct, sys
w, h = 4, 3
stride = (w * 3 + 3) // 4 * 4
rows = b''.join(bytes([10, 20, 30]) * w + b'\0' * (stride - 3 * w) for _ in range(h))
hdr = struct.pack('<2sIHHI', b'BM', 54 + len(rows), 0, 0, 54)
info = struct.pack('<IiiHHIIiiII', 40, w, h, 1, 24, 0, len(rows), 0, 0, 0, 0)
open(sys.argv[1], 'wb').write(hdr + info + rows)
PY

start_xvfb 1024x768x24
QT_QPA_PLATFORM=xcb usage_error --bogus

wait_title() { # $1: title pattern; true when a visible window has it within 10 s
  for _ in $(seq 300); do
    xdotool search --onlyvisible --name "$1" >/dev/null 2>&1 && return 0
    sleep 0.1
  done
  return 1
}

# A relative name with a blank, from the file's folder.
(cd "$work" && QT_QPA_PLATFORM=xcb exec "$kalvo" "photo one.bmp") &
pid=$!
wait_title '^photo one\.bmp - Kalvo$' || { echo "the title did not name the file given"; exit 1; }
kill $pid; wait $pid 2>/dev/null || true

# The formats read through libwebp, libtiff and libheif.
for file in webp/lossless_alpha.webp tiff/rgb8-jpeg-tiled.tif heif/rot90.heic heif/alpha.avif; do
  QT_QPA_PLATFORM=xcb "$kalvo" "$here/../data/$file" &
  pid=$!
  wait_title "^$(basename "$file" | sed 's/\./\\./g') - Kalvo\$" || { echo "$file did not open"; exit 1; }
  kill $pid; wait $pid 2>/dev/null || true
done

QT_QPA_PLATFORM=xcb "$kalvo" "$work/missing.bmp" &
pid=$!
wait_title '^Kalvo$' || { echo "no window for a missing file"; exit 1; }
# The main window and the message box, both titled Kalvo.
for _ in $(seq 300); do
  [ "$(xdotool search --onlyvisible --name '^Kalvo$' 2>/dev/null | wc -l)" -ge 2 ] && break
  sleep 0.1
done
[ "$(xdotool search --onlyvisible --name '^Kalvo$' | wc -l)" -ge 2 ] || { echo "no message for a missing file"; exit 1; }
# Return answers the message; on a busy machine the box may take the focus late, so the key is
# sent again each second while the box stays.
box=$(xdotool search --onlyvisible --name '^Kalvo$' | tail -n1)
for attempt in $(seq 10); do
  xdotool windowfocus --sync "$box" 2>/dev/null || true
  xdotool key Return
  for _ in $(seq 10); do
    [ "$(xdotool search --onlyvisible --name '^Kalvo$' 2>/dev/null | wc -l)" = 1 ] && break 2
    sleep 0.1
  done
done
[ "$(xdotool search --onlyvisible --name '^Kalvo$' | wc -l)" = 1 ] || { echo "the message did not close"; exit 1; }
kill -0 $pid || { echo "the editor quit after the message"; exit 1; }
echo "e2e: file argument (BMP, WebP, TIFF, HEIC, AVIF), missing file, --help and --version passed"
