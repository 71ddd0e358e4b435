#!/usr/bin/env bash
# End-to-end on a 200 % screen: starts the real editor under Xvfb with QT_SCALE_FACTOR=2 and a
# picture named on the command line (a one-pixel checkerboard with a marker pixel at 0, 0),
# checks that the screen shows it at one image pixel per screen pixel, drags a rectangle with
# the mouse in screen pixels, clears it from the Edit menu, saves, and checks that exactly the
# dragged screen rectangle became white in the written file.
set -euo pipefail
here=$(dirname "$(readlink -f "$0")")
kalvo=$1
work=$(mktemp -d)
pid=""
xvfb=""
trap 'kill $pid 2>/dev/null || true; kill $xvfb 2>/dev/null || true; rm -rf "$work"' EXIT
export KALVO_CONFIG_DIR=$work/config
mkdir -p "$KALVO_CONFIG_DIR"

# The picture: marker FE 01 FD at (0, 0), else 20 40 60 and 200 150 100 alternating.
python3 - "$work/board.bmp" <<'PY'
import struct, sys
w, h = 64, 48
stride = (w * 3 + 3) // 4 * 4
def px(x, y):
    if (x, y) == (0, 0):
        return bytes([0xFD, 0x01, 0xFE])
    return bytes([60, 40, 20]) if (x + y) % 2 else bytes([100, 150, 200])
rows = b''.join(b''.join(px(x, y) for x in range(w)) + b'\0' * (stride - 3 * w)
                for y in reversed(range(h)))
hdr = struct.pack('<2sIHHI', b'BM', 54 + len(rows), 0, 0, 54)
info = struct.pack('<IiiHHIIiiII', 40, w, h, 1, 24, 0, len(rows), 0, 0, 0, 0)
open(sys.argv[1], 'wb').write(hdr + info + rows)
PY

. "$here/lib.sh"
start_xvfb

QT_QPA_PLATFORM=xcb QT_SCALE_FACTOR=2 "$kalvo" "$work/board.bmp" &
pid=$!
win=$(wait_window '^board\.bmp - Kalvo$') || { echo "the editor did not open the picture"; exit 1; }
xdotool windowfocus --sync "$win"
xdotool mousemove 1279 1023
pos=$(find_marker) || { echo "the opened picture is not on the screen"; exit 1; }
read -r sx sy <<<"$pos"

# One image pixel per screen pixel: the screen from the marker on is the picture itself.
python3 - "$sx" "$sy" <<PY
import sys
from array import array
sys.path.insert(0, "$here")
from count_screen_colours import grab_screen
sx, sy = int(sys.argv[1]), int(sys.argv[2])
data, stride, width = grab_screen()
bad = []
for y in range(48):
    row = array("I", data[(sy + y) * stride:(sy + y) * stride + 4 * width])
    for x in range(64):
        want = 0xFE01FD if (x, y) == (0, 0) else (0x14283C if (x + y) % 2 else 0xC89664)
        got = row[sx + x] & 0xFFFFFF
        if got != want:
            bad.append((x, y, "%06x" % got))
if bad:
    sys.exit("the screen does not show one image pixel per screen pixel: %d wrong, first %s"
             % (len(bad), bad[:5]))
PY

# Drag from screen pixel (10, 6) of the picture to (30, 20), clear and save.
drag_screen $((sx + 10)) $((sy + 6)) $((sx + 30)) $((sy + 20))
xdotool mousemove 1279 1023
clear_and_save_as "$work/out.bmp"

python3 - "$work/out.bmp" <<'PY'
import struct, sys
data = open(sys.argv[1], 'rb').read()
offset, = struct.unpack_from('<I', data, 10)
w, h, planes, bits = struct.unpack_from('<iiHH', data, 18)
assert (w, h, bits) == (64, 48, 24), (w, h, bits)
stride = (w * 3 + 3) // 4 * 4
bad = []
for y in range(h):
    row = offset + (h - 1 - y) * stride
    for x in range(w):
        p = data[row + 3 * x:row + 3 * x + 3]
        if 10 <= x < 30 and 6 <= y < 20:
            want = b'\xff\xff\xff'
        elif (x, y) == (0, 0):
            want = bytes([0xFD, 0x01, 0xFE])
        else:
            want = bytes([60, 40, 20]) if (x + y) % 2 else bytes([100, 150, 200])
        if p != want:
            bad.append((x, y, p.hex()))
if bad:
    sys.exit("pixels differ from the dragged rectangle cleared: %d, first %s" % (len(bad), bad[:5]))
PY

quit_editor "$win"
echo "e2e: picture shown at one image pixel per screen pixel at 200 %, drag, clear and save passed"
