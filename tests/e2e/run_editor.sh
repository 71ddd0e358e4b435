#!/usr/bin/env bash
# End-to-end: starts the real editor under Xvfb with a fresh settings directory (and checks that it
# runs with huge-page malloc), opens a BMP with Ctrl+O, saves it under a new name with Shift+Ctrl+A
# (both dialogs titled with their caption alone)
# and checks the written file; zooms with the keypad + and - keys and F10 and checks the zoom on the
# screen; then quits with Alt+F4.
set -euo pipefail
here=$(dirname "$(readlink -f "$0")")
kalvo=$1
cli=$2
. "$here/lib.sh"
e2e_workspace

# A small 24-bit BMP made by kalvo-cli from bytes written here.
python3 - "$work/in.bmp" <<'PY'
import struct, sys
w, h = 7, 5
stride = (w * 3 + 3) // 4 * 4
rows = b''.join(b''.join(bytes([(x * 30) % 256, (y * 40) % 256, 200]) for x in range(w))
                + b'\0' * (stride - 3 * w) for y in range(h))
hdr = struct.pack('<2sIHHI', b'BM', 54 + len(rows), 0, 0, 54)
info = struct.pack('<IiiHHIIiiII', 40, w, h, 1, 24, 0, len(rows), 0, 0, 0, 0)
open(sys.argv[1], 'wb').write(hdr + info + rows)
PY

start_xvfb

QT_QPA_PLATFORM=xcb "$kalvo" &
pid=$!
win=$(wait_window '^Kalvo$') || { echo "editor window did not appear"; exit 1; }
xdotool windowfocus --sync "$win"

[ "$(cat "/proc/$pid/comm")" = "$(basename "$kalvo" | cut -c1-15)" ] \
  || { echo "the editor's process is called $(cat "/proc/$pid/comm")"; exit 1; }

xdotool key --clearmodifiers ctrl+o
type_into_dialog '^開く$' "$work/in.bmp"
for _ in $(seq 300); do
  xdotool search --name '^in\.bmp - Kalvo$' >/dev/null 2>&1 && break
  sleep 0.1
done
xdotool search --name '^in\.bmp - Kalvo$' >/dev/null || { echo "title did not show the opened file"; exit 1; }

xdotool windowfocus --sync "$win"
sleep 0.3
xdotool key --clearmodifiers shift+ctrl+a
type_into_dialog '^名前を付けて保存$' "$work/out.bmp"
for _ in $(seq 300); do [ -s "$work/out.bmp" ] && break; sleep 0.1; done
[ -s "$work/out.bmp" ] || { echo "out.bmp was not written"; exit 1; }
cmp <("$cli" info "$work/in.bmp") <("$cli" info "$work/out.bmp")
cmp <(tail -c +55 "$work/in.bmp") <(tail -c +55 "$work/out.bmp")

# Keypad + and - step the zoom, the main keyboard's + does not, NumLock makes no difference. The
# zoom is read off the screen as the number of pixels in the image's 35 colours: 7x5 at 100 %,
# 10x7 at 150 %, 5x3 at 75 %. No wrong zoom on the way passes through an expected count.
colours=$(python3 -c 'print(" ".join("c8%02x%02x" % (y * 40, x * 30) for y in range(5) for x in range(7)))')
expect_shown() { # $1: pixel count, $2: the keys pressed
  local n=""
  for _ in $(seq 50); do
    n=$(python3 "$here/count_screen_colours.py" $colours || true)
    [ "$n" = "$1" ] && return 0
    sleep 0.1
  done
  echo "after $2 the image covers $n screen pixels instead of $1"; exit 1
}
xdotool windowfocus --sync "$win"
sleep 0.3
xdotool mousemove 1279 1023
expect_shown 35 "opening"
xdotool key KP_Add
expect_shown 70 "keypad +"
xdotool key plus KP_Subtract KP_Subtract
expect_shown 15 "+ and keypad - twice"
xdotool key Num_Lock KP_Add KP_Add Num_Lock
expect_shown 70 "keypad + twice with NumLock on"
xdotool key F10
expect_shown 35 "F10"

xdotool windowfocus --sync "$win"
sleep 0.3
xdotool key --clearmodifiers alt+F4
for _ in $(seq 50); do kill -0 $pid 2>/dev/null || break; sleep 0.1; done
if kill -0 $pid 2>/dev/null; then echo "editor did not quit"; exit 1; fi
echo "e2e: open, save as, keypad zoom and quit passed"
