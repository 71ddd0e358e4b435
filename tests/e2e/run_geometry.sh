#!/usr/bin/env bash
# End-to-end: the Image menu's geometry commands reached by their mnemonics in the real editor
# (Alt+I, O, R: rotate right; Alt+I, O, H: left-right mirror), the result saved and compared
# pixel for pixel with ImageMagick's -rotate 90 -flop; and a JPEG with EXIF orientation 6 opens
# upright and saves with orientation 1, its camera tags kept (read back with exiftool).
set -euo pipefail
kalvo=$1
here=$(dirname "$(readlink -f "$0")")
. "$here/lib.sh"
e2e_workspace
for tool in convert exiftool; do
  command -v $tool >/dev/null || { echo "e2e: $tool missing, geometry run skipped"; exit 0; }
done

# 5 x 3 pixels of distinct colours.
python3 - "$work/in.bmp" <<'PY'
import struct, sys
w, h = 5, 3
stride = (w * 3 + 3) // 4 * 4
rows = b''.join(b''.join(bytes([30, y * 100, x * 50]) for x in range(w)) + b'\0' * (stride - 3 * w)
                for y in reversed(range(h)))
hdr = struct.pack('<2sIHHI', b'BM', 54 + len(rows), 0, 0, 54)
info = struct.pack('<IiiHHIIiiII', 40, w, h, 1, 24, 0, len(rows), 0, 0, 0, 0)
open(sys.argv[1], 'wb').write(hdr + info + rows)
PY
convert "$work/in.bmp" -rotate 90 -flop "BMP3:$work/expected.bmp"
convert -size 40x20 gradient:red-blue -quality 95 "$work/photo.jpg"
exiftool -q -overwrite_original -n -Orientation=6 -Make=KalvoCam -Model=Model-7 \
  '-DateTimeOriginal=2024:05:06 07:08:09' "$work/photo.jpg"

start_xvfb 1024x768x24

open_editor() { # $1: file; starts the editor on it and waits for its window
  QT_QPA_PLATFORM=xcb "$kalvo" "$1" &
  pid=$!
  win=$(wait_window "^$(basename "$1" | sed 's/\./\\./') - Kalvo\$") || { echo "$1 did not open"; exit 1; }
  xdotool windowfocus --sync "$win"
  sleep 0.5
}

menu_keys() { # Alt+$1, then the keys $2...: a menu command by its mnemonics
  local first=$1
  shift
  xdotool key --clearmodifiers alt+"$first"
  sleep 0.4
  for k in "$@"; do
    xdotool key "$k"
    sleep 0.4
  done
}

save_as() { # $1: file
  xdotool key --clearmodifiers shift+ctrl+a
  type_into_dialog '名前を付けて保存' "$1"
  for _ in $(seq 300); do [ -s "$1" ] && break; sleep 0.1; done
  [ -s "$1" ] || { echo "$1 was not written"; exit 1; }
}

open_editor "$work/in.bmp"
menu_keys i o r
menu_keys i o h
save_as "$work/out.bmp"
cmp <(python3 "$here/bmp_pixels.py" "$work/out.bmp") <(python3 "$here/bmp_pixels.py" "$work/expected.bmp") \
  || { echo "rotate right and mirror differ from ImageMagick's -rotate 90 -flop"; exit 1; }
quit_editor "$win"

open_editor "$work/photo.jpg"
save_as "$work/saved.jpg"
quit_editor "$win"
tags=$(exiftool -s -s -s -n -ImageWidth -ImageHeight -Orientation -Make -Model -DateTimeOriginal "$work/saved.jpg" | tr '\n' ' ')
[ "$tags" = "20 40 1 KalvoCam Model-7 2024:05:06 07:08:09 " ] \
  || { echo "saved photo: width height orientation make model date are '$tags'"; exit 1; }
echo "e2e: geometry commands by mnemonics and an upright photo's saved EXIF passed"
