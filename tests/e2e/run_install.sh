#!/usr/bin/env bash
# Installation into a temporary prefix: the programs, the desktop entry and the icons land in
# their places, the installed entry validates, and the installed editor keeps its settings in
# ~/.config/Kalvo/ even though it could write its own directory.
set -euo pipefail
build=$1
prefix=$(mktemp -d)
pid=""
xvfb=""
trap 'kill $pid 2>/dev/null || true; kill $xvfb 2>/dev/null || true; rm -rf "$prefix"' EXIT

cmake --install "$build" --prefix "$prefix/usr" >/dev/null
for f in bin/kalvo bin/kalvo-cli share/applications/kalvo.desktop \
         share/icons/hicolor/scalable/apps/kalvo.svg; do
  [ -s "$prefix/usr/$f" ] || { echo "missing $f"; exit 1; }
done
for size in 16 24 32 48 64 128 256; do
  png=$prefix/usr/share/icons/hicolor/${size}x${size}/apps/kalvo.png
  [ -s "$png" ] || { echo "missing ${size}px icon"; exit 1; }
  # The PNG header's width and height.
  [ "$(od -An -tu1 -j16 -N8 "$png" | awk '{print $3*256+$4, $7*256+$8}')" = "$size $size" ] \
    || { echo "${size}px icon has another size"; exit 1; }
done
[ -x "$prefix/usr/bin/kalvo" ] && [ -x "$prefix/usr/bin/kalvo-cli" ]
if command -v desktop-file-validate >/dev/null; then
  desktop-file-validate "$prefix/usr/share/applications/kalvo.desktop"
fi
grep -q '^Exec=kalvo %f$' "$prefix/usr/share/applications/kalvo.desktop"
"$prefix/usr/bin/kalvo" --version | grep -q '^Kalvo '

# Start and quit the installed editor with a fresh home and no settings override.
export HOME=$prefix/home
mkdir -p "$HOME"
unset KALVO_CONFIG_DIR XDG_CONFIG_HOME
. "$(dirname "$0")/lib.sh"
start_xvfb 1024x768x24
QT_QPA_PLATFORM=xcb "$prefix/usr/bin/kalvo" &
pid=$!
win=""
for _ in $(seq 300); do
  win=$(xdotool search --onlyvisible --name '^Kalvo$' 2>/dev/null | head -n1 || true)
  [ -n "$win" ] && break
  sleep 0.1
done
[ -n "$win" ] || { echo "installed editor did not start"; exit 1; }
xdotool windowfocus --sync "$win"
sleep 0.3
xdotool key --clearmodifiers alt+F4
for _ in $(seq 50); do kill -0 $pid 2>/dev/null || break; sleep 0.1; done
kill -0 $pid 2>/dev/null && { echo "installed editor did not quit"; exit 1; }
[ -s "$HOME/.config/Kalvo/Kalvo2.ini" ] || { echo "no settings in ~/.config/Kalvo"; ls -R "$HOME"; exit 1; }
[ ! -e "$prefix/usr/bin/Kalvo2.ini" ] || { echo "settings written beside the installed program"; exit 1; }
echo "install: programs, entry, icons and settings place passed"
