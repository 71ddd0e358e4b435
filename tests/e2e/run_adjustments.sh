#!/usr/bin/env bash
# End-to-end: the Effects menu's six adjustments in the real editor, reached by their mnemonics
# (Alt+T, then B, H, L, G, U, R) with values typed into their dialogs, give the same saved pixels
# as kalvo-cli's subcommands applied one after another.
set -euo pipefail
kalvo=$1
cli=$2
here=$(dirname "$(readlink -f "$0")")
. "$here/lib.sh"
e2e_workspace

# 64 x 48 pixels of gradients with noise.
python3 - "$work/in.bmp" <<'PY'
import random, struct, sys
random.seed(3)
w, h = 64, 48
stride = (w * 3 + 3) // 4 * 4
rows = b''.join(b''.join(bytes([(x * 4 + random.randint(0, 20)) % 256, (y * 5 + random.randint(0, 30)) % 256,
                                (x * y) % 256]) for x in range(w)) + b'\0' * (stride - 3 * w)
                for y in reversed(range(h)))
hdr = struct.pack('<2sIHHI', b'BM', 54 + len(rows), 0, 0, 54)
info = struct.pack('<IiiHHIIiiII', 40, w, h, 1, 24, 0, len(rows), 0, 0, 0, 0)
open(sys.argv[1], 'wb').write(hdr + info + rows)
PY
"$cli" brightness-contrast "$work/in.bmp" "$work/1.bmp" --brightness 20 --contrast 30
"$cli" hue-saturation "$work/1.bmp" "$work/2.bmp" --hue 40 --saturation -20 --lightness 10
"$cli" levels "$work/2.bmp" "$work/3.bmp" --input 10,240 --gamma 1.2
"$cli" blur "$work/3.bmp" "$work/4.bmp" --radius 1.5
"$cli" sharpen "$work/4.bmp" "$work/5.bmp" --amount 150 --radius 1.0 --threshold 3
"$cli" grayscale "$work/5.bmp" "$work/expected.bmp"

start_xvfb 1024x768x24
QT_QPA_PLATFORM=xcb "$kalvo" "$work/in.bmp" &
pid=$!
win=$(wait_window '^in\.bmp - Kalvo$') || { echo "in.bmp did not open"; exit 1; }

effect() { # $1: item mnemonic of the Effects menu
  xdotool windowfocus --sync "$win"
  sleep 0.3
  xdotool key --clearmodifiers alt+t
  sleep 0.4
  xdotool key "$1"
}

adjust() { # $1: item mnemonic, $2: dialog title, then pairs of field mnemonic and value; OK by Return
  local dialog
  effect "$1"
  dialog=$(wait_window "^$2\$") || { echo "dialog '$2' did not appear"; exit 1; }
  xdotool windowfocus --sync "$dialog"
  sleep 0.4
  shift 2
  while [ $# -gt 0 ]; do
    xdotool key --clearmodifiers alt+"$1"
    sleep 0.2
    xdotool key ctrl+a
    xdotool type --delay 5 -- "$2"
    shift 2
  done
  sleep 0.5
  xdotool key Return
  sleep 0.8
}

adjust b '明るさ・コントラスト' b 20 c 30
adjust h '色相・彩度' u 40 s -20 l 10
adjust l 'レベル補正' b 10 w 240 g 1.20
adjust g 'ぼかし' r 1.5
adjust u 'シャープ' m 150 r 1.0 t 3
effect r
sleep 0.8
xdotool windowfocus --sync "$win"
xdotool key --clearmodifiers shift+ctrl+a
type_into_dialog '名前を付けて保存' "$work/out.bmp"
for _ in $(seq 300); do [ -s "$work/out.bmp" ] && break; sleep 0.1; done
[ -s "$work/out.bmp" ] || { echo "out.bmp was not written"; exit 1; }
cmp <(python3 "$here/bmp_pixels.py" "$work/out.bmp") <(python3 "$here/bmp_pixels.py" "$work/expected.bmp") \
  || { echo "the editor's adjustments differ from kalvo-cli's"; exit 1; }
quit_editor "$win"
echo "e2e: the six adjustments from the Effects menu equal kalvo-cli's"
