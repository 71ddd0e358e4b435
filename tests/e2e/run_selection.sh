#!/usr/bin/env bash
# End-to-end: starts the real editor under Xvfb, opens a 60 x 40 BMP, drags a rectangle with the
# mouse (the program starts in rectangle selection), clears the selection to the background
# colour from the Edit menu (Alt+E, L), saves with Shift+Ctrl+A and checks that exactly the dragged rectangle
# became white in the written file.
set -euo pipefail
here=$(dirname "$(readlink -f "$0")")
kalvo=$1
. "$here/lib.sh"
e2e_workspace

python3 "$here/marker_picture.py" write "$work/in.bmp" 60 40 solid

start_xvfb

QT_QPA_PLATFORM=xcb "$kalvo" &
pid=$!
win=$(wait_window '^Kalvo$') || { echo "editor window did not appear"; exit 1; }
xdotool windowfocus --sync "$win"

xdotool key --clearmodifiers ctrl+o
type_into_dialog '^開く$' "$work/in.bmp"
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

python3 "$here/marker_picture.py" check-cleared "$work/out.bmp" 60 40 solid 10 5 30 20

quit_editor "$win"
echo "e2e: rectangle drag, clear and save passed"
