#!/usr/bin/env bash
# End-to-end on a 200 % screen: starts the real editor under Xvfb with QT_SCALE_FACTOR=2 and a
# picture named on the command line (a one-pixel checkerboard with a marker pixel at 0, 0),
# checks that the screen shows it at one image pixel per screen pixel, drags a rectangle with
# the mouse in screen pixels, clears it from the Edit menu, saves, and checks that exactly the
# dragged screen rectangle became white in the written file.
set -euo pipefail
here=$(dirname "$(readlink -f "$0")")
kalvo=$1
. "$here/lib.sh"
e2e_workspace

python3 "$here/marker_picture.py" write "$work/board.bmp" 64 48 checker

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
from marker_picture import colour
sx, sy = int(sys.argv[1]), int(sys.argv[2])
data, stride, width = grab_screen()
bad = []
for y in range(48):
    row = array("I", data[(sy + y) * stride:(sy + y) * stride + 4 * width])
    for x in range(64):
        want = colour("checker", x, y)
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

python3 "$here/marker_picture.py" check-cleared "$work/out.bmp" 64 48 checker 10 6 30 20

quit_editor "$win"
echo "e2e: picture shown at one image pixel per screen pixel at 200 %, drag, clear and save passed"
