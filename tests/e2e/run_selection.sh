#!/usr/bin/env bash
# End-to-end: starts the real editor under Xvfb, opens a 60 x 40 BMP, drags a rectangle with the
# mouse (the program starts in rectangle selection), clears the selection to the background
# colour from the Edit menu (Alt+E, L), saves with Shift+Ctrl+A and checks that exactly the dragged rectangle
# became white in the written file.
set -euo pipefail
here=$(dirname "$(readlink -f "$0")")
kalvo=$1
work=$(mktemp -d)
pid=""
xvfb=""
trap 'kill $pid 2>/dev/null || true; kill $xvfb 2>/dev/null || true; rm -rf "$work"' EXIT
export KALVO_CONFIG_DIR=$work/config
mkdir -p "$KALVO_CONFIG_DIR"

# Solid 20 40 60 with a marker pixel FE 01 FD at (0, 0) to find the image on the screen.
python3 - "$work/in.bmp" <<'PY'
import struct, sys
w, h = 60, 40
stride = (w * 3 + 3) // 4 * 4
def px(x, y):
    return bytes([0xFD, 0x01, 0xFE]) if (x, y) == (0, 0) else bytes([60, 40, 20])
rows = b''.join(b''.join(px(x, y) for x in range(w)) + b'\0' * (stride - 3 * w)
                for y in reversed(range(h)))
hdr = struct.pack('<2sIHHI', b'BM', 54 + len(rows), 0, 0, 54)
info = struct.pack('<IiiHHIIiiII', 40, w, h, 1, 24, 0, len(rows), 0, 0, 0, 0)
open(sys.argv[1], 'wb').write(hdr + info + rows)
PY

. "$here/lib.sh"
start_xvfb

QT_QPA_PLATFORM=xcb "$kalvo" &
pid=$!
win=$(wait_window '^Kalvo$') || { echo "editor window did not appear"; exit 1; }
xdotool windowfocus --sync "$win"

xdotool key --clearmodifiers ctrl+o
type_into_dialog '開く' "$work/in.bmp"
for _ in $(seq 300); do
  xdotool search --name '^in\.bmp - Kalvo$' >/dev/null 2>&1 && break
  sleep 0.1
done
xdotool windowfocus --sync "$win"
xdotool mousemove 1279 1023
pos=$(find_marker) || { echo "the opened image is not on the screen"; exit 1; }
read -r sx sy <<<"$pos"

# Drag from image pixel (10, 5) to (30, 20) in a few steps.
drag_screen $((sx + 10)) $((sy + 5)) $((sx + 30)) $((sy + 20))
xdotool mousemove 1279 1023
clear_and_save_as "$work/out.bmp"

python3 - "$work/out.bmp" <<'PY'
import struct, sys
data = open(sys.argv[1], 'rb').read()
offset, = struct.unpack_from('<I', data, 10)
w, h, planes, bits = struct.unpack_from('<iiHH', data, 18)
assert (w, h, bits) == (60, 40, 24), (w, h, bits)
stride = (w * 3 + 3) // 4 * 4
bad = []
for y in range(h):
    row = offset + (h - 1 - y) * stride
    for x in range(w):
        p = data[row + 3 * x:row + 3 * x + 3]
        if 10 <= x < 30 and 5 <= y < 20:
            want = b'\xff\xff\xff'
        elif (x, y) == (0, 0):
            want = bytes([0xFD, 0x01, 0xFE])
        else:
            want = bytes([60, 40, 20])
        if p != want:
            bad.append((x, y, p.hex()))
if bad:
    sys.exit("pixels differ from the dragged rectangle cleared: %d, first %s" % (len(bad), bad[:5]))
PY

quit_editor "$win"
echo "e2e: rectangle drag, clear and save passed"
