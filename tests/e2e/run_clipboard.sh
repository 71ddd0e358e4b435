#!/usr/bin/env bash
# End-to-end clipboard exchange under Xvfb (xcb), with xclip standing for any other program:
# a picture copied in Kalvo reaches others as PNG and as BMP with exactly its pixels; a PNG
# offered by another program pastes into Kalvo with exactly its pixels; a selection shape offered
# on the clipboard becomes Kalvo's selection, travels with a copy to a second Kalvo process and
# limits that process's merge paste to the shape.
set -euo pipefail
here=$(dirname "$(readlink -f "$0")")
kalvo=$1
cli=$2
command -v xclip >/dev/null || { echo "xclip is not installed"; exit 1; }
. "$(dirname "$0")/lib.sh"
work=$(e2e_folder)
pids=()
xvfb=""
trap 'for p in "${pids[@]}"; do kill $p 2>/dev/null || true; done; kill $xvfb 2>/dev/null || true; rm -rf "$work"' EXIT
export KALVO_CONFIG_DIR=$work/config
mkdir -p "$KALVO_CONFIG_DIR"

# Two 24-bit BMPs: in.bmp 7 x 5 and fg.bmp 6 x 4, every pixel its own colour.
python3 - "$work" <<'PY'
import struct, sys
def bmp(name, w, h, f):
    stride = (w * 3 + 3) // 4 * 4
    rows = b''.join(b''.join(bytes(f(x, h - 1 - y)) for x in range(w)) + b'\0' * (stride - 3 * w) for y in range(h))
    hdr = struct.pack('<2sIHHI', b'BM', 54 + len(rows), 0, 0, 54)
    info = struct.pack('<IiiHHIIiiII', 40, w, h, 1, 24, 0, len(rows), 0, 0, 0, 0)
    open(f'{sys.argv[1]}/{name}', 'wb').write(hdr + info + rows)
bmp('in.bmp', 7, 5, lambda x, y: (x * 30 % 256, y * 40 % 256, 200))          # blue, green, red
bmp('fg.bmp', 6, 4, lambda x, y: (17 + x, 100 + y * 9, 250 - x * 7))
# The L-shaped selection: rows 0-1 all six columns, rows 2-3 the first three.
rects = [(0, 0, 6, 2), (0, 2, 3, 4)]
head = struct.pack('<IIII', 32, 1, len(rects), 16 * len(rects)) + struct.pack('<iiii', 0, 0, 6, 4)
open(f'{sys.argv[1]}/shape.bin', 'wb').write(head + b''.join(struct.pack('<iiii', *r) for r in rects))
PY
"$cli" convert "$work/fg.bmp" "$work/fg.png" >/dev/null

start_xvfb 1280x1024x24

start_editor() { # prints the new window's id
  local before after win=""
  before=$(xdotool search --onlyvisible --name 'Kalvo$' 2>/dev/null | sort || true)
  QT_QPA_PLATFORM=xcb "$kalvo" >/dev/null 2>&1 &
  pids+=($!)
  for _ in $(seq 300); do
    after=$(xdotool search --onlyvisible --name 'Kalvo$' 2>/dev/null | sort || true)
    win=$(comm -13 <(echo "$before") <(echo "$after") | head -n1)
    [ -n "$win" ] && break
    sleep 0.1
  done
  [ -n "$win" ] || { echo "editor window did not appear" >&2; exit 1; }
  echo "$win"
}
in_dialog() { # $1: dialog title pattern, $2: text
  local dlg=""
  for _ in $(seq 300); do
    dlg=$(xdotool search --onlyvisible --name "$1" 2>/dev/null | head -n1 || true)
    [ -n "$dlg" ] && break
    sleep 0.1
  done
  [ -n "$dlg" ] || { echo "dialog '$1' did not appear"; exit 1; }
  sleep 0.3
  xdotool windowfocus --sync "$dlg"
  xdotool key --clearmodifiers ctrl+a
  xdotool type --delay 20 "$2"
  xdotool key Return
}
keys() { # $1: window, then keys
  local win=$1; shift
  xdotool windowfocus --sync "$win"
  sleep 0.3
  xdotool key --clearmodifiers "$@"
  sleep 0.5
}
open_file() { # $1: window, $2: file
  keys "$1" ctrl+o
  in_dialog '開く' "$2"
  local title
  title="^$(basename "$2" | sed 's/\./\\./g') - Kalvo$"
  for _ in $(seq 300); do xdotool search --name "$title" >/dev/null 2>&1 && return 0; sleep 0.1; done
  echo "$2 did not open"; exit 1
}
save_as() { # $1: window, $2: file
  keys "$1" shift+ctrl+a
  in_dialog '名前を付けて保存' "$2"
  for _ in $(seq 300); do [ -s "$2" ] && return 0; sleep 0.1; done
  echo "$2 was not written"; exit 1
}
offered() { xclip -selection clipboard -t TARGETS -o 2>/dev/null || true; }

# 1. Kalvo to other programs.
a=$(start_editor)
open_file "$a" "$work/in.bmp"
keys "$a" ctrl+c
for _ in $(seq 50); do offered | grep -qx 'image/png' && break; sleep 0.1; done
offered | grep -qx 'image/png' || { echo "no image/png offered:"; offered; exit 1; }
offered | grep -qx 'application/x-pxregion' && { echo "a copy without selection offered a shape"; exit 1; }
xclip -selection clipboard -t image/png -o > "$work/a.png"
"$cli" convert "$work/a.png" "$work/a_png.bmp" >/dev/null
cmp <(python3 "$here/bmp_pixels.py" "$work/in.bmp") <(python3 "$here/bmp_pixels.py" "$work/a_png.bmp") \
  || { echo "the PNG another program got differs"; exit 1; }
xclip -selection clipboard -t image/bmp -o > "$work/a_clip.bmp"
cmp <(python3 "$here/bmp_pixels.py" "$work/in.bmp") <(python3 "$here/bmp_pixels.py" "$work/a_clip.bmp") \
  || { echo "the BMP another program got differs"; exit 1; }

# 2. Another program's PNG into Kalvo.
xclip -selection clipboard -t image/png -i "$work/fg.png"
sleep 0.5
keys "$a" ctrl+v
save_as "$a" "$work/pasted.bmp"
cmp <(python3 "$here/bmp_pixels.py" "$work/fg.bmp") <(python3 "$here/bmp_pixels.py" "$work/pasted.bmp") \
  || { echo "the pasted PNG differs"; exit 1; }

# 3. A shape from another program becomes the selection; a copy carries it to a second Kalvo,
#    whose merge paste changes only the shape's pixels.
xclip -selection clipboard -t application/x-pxregion -i "$work/shape.bin"
sleep 0.5
keys "$a" shift+ctrl+v ctrl+c
for _ in $(seq 50); do offered | grep -qx 'application/x-pxregion' && break; sleep 0.1; done
offered | grep -qx 'application/x-pxregion' || { echo "the copy offered no shape:"; offered; exit 1; }
b=$(start_editor)
open_file "$b" "$work/in.bmp"
keys "$b" ctrl+m Return
save_as "$b" "$work/merged.bmp"
python3 - "$work" "$here/bmp_pixels.py" <<'PY'
import subprocess, sys
def pixels(name):
    out = subprocess.run([sys.executable, sys.argv[2], f'{sys.argv[1]}/{name}'], check=True,
                         capture_output=True, text=True).stdout
    return [row.split() for row in out.splitlines()]
base, fg, got = pixels('in.bmp'), pixels('fg.bmp'), pixels('merged.bmp')
for y in range(5):
    for x in range(7):
        inside = (y < 2 and x < 6) or (2 <= y < 4 and x < 3)
        want = fg[y][x] if inside else base[y][x]
        if got[y][x] != want:
            sys.exit(f'merged pixel {x},{y} is {got[y][x]}, expected {want}')
PY
echo "e2e: clipboard between Kalvo, other programs and a second Kalvo passed"
