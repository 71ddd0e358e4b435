#!/usr/bin/env bash
# The editor against the peer editors mtpaint and KolourPaint, as a user sees them, side by side
# in one run: each program runs under its own Xvfb; RUNS rounds alternate between the programs so
# that load from elsewhere hits them alike; the script reports medians and ratios to the faster
# peer.
#   open   seconds from exec until the picture shows on the screen (a marker colour in its
#          top-left part is polled for), a 24-megapixel JPEG and the same picture as a BMP
#   memory proportional set size (PSS) of the process with the JPEG shown
#   negative, clear, grayscale   CPU seconds of the process from the key press until the marker
#          is gone from the screen (inverted, cleared to white over everything selected, or grey)
# Needs a built kalvo (BUILD, default build); installs the peers (scripts/install-bench-deps.sh).
set -euo pipefail
cd "$(dirname "$0")/.."
BUILD=${BUILD:-build}
RUNS=${RUNS:-5}
DISPLAY_BASE=${DISPLAY_BASE:-171}
kalvo="$PWD/$BUILD/bin/kalvo"
[ -x "$kalvo" ] || { echo "kalvo not found in $BUILD/bin" >&2; exit 1; }
bash scripts/install-bench-deps.sh >/dev/null

work=$(mktemp -d)
xvfbs=()
cleanup() {
  for p in "${xvfbs[@]}"; do kill "$p" 2>/dev/null || true; done
  rm -rf "$work"
}
trap cleanup EXIT

gcc -O2 -o "$work/screen-probe" scripts/lib/screen-probe.c -lX11
probe="$work/screen-probe"
marker=1FD65C # a colour no peer shows in its own window

echo "generating a 6000 x 4000 photo-like picture with a green marker ..."
vips gaussnoise "$work/noise.v" 6000 4000 --mean 128 --sigma 30
vips gaussblur "$work/noise.v" "$work/soft.v" 1.2
vips bandjoin "$work/soft.v $work/soft.v $work/noise.v" "$work/rgb.v"
vips cast "$work/rgb.v" "$work/photo.v" uchar
vips draw_rect "$work/photo.v" "31 214 92" 0 0 3000 2000 --fill
vips copy "$work/photo.v" "$work/photo.jpg[Q=90]"
convert "$work/photo.jpg" -type TrueColor "BMP3:$work/photo.bmp"

programs=(kalvo mtpaint kolourpaint)
declare -A display
i=0
for p in "${programs[@]}"; do
  d=":$((DISPLAY_BASE + i))"
  Xvfb "$d" -screen 0 1600x1000x24 -nolisten tcp -noreset >/dev/null 2>&1 &
  xvfbs+=($!)
  display[$p]=$d
  i=$((i + 1))
done
sleep 1

command_of() { # program file
  case $1 in
    kalvo) echo "$kalvo $2" ;;
    mtpaint) echo "mtpaint $2" ;;
    kolourpaint) echo "kolourpaint $2" ;;
  esac
}

# CPU nanoseconds of every thread of a process.
cpu_ns() {
  cat /proc/"$1"/task/*/schedstat 2>/dev/null | awk '{ s += $1 } END { printf "%d\n", s }'
}

# Keys that run a command: negative, select all and clear (mtpaint fills the selection with
# colour A, KolourPaint's Clear needs no selection), or grayscale (Kalvo's of the photo
# adjustments, mtpaint's Greyscale, KolourPaint's Reduce to Grayscale). There is no window manager: the Qt programs'
# windows are given the keyboard focus, mtpaint takes it from the pointer over its window.
send_keys() { # program command
  local w
  if [ "$1" != mtpaint ]; then
    w=$(xdotool search --onlyvisible --pid "$pid" 2>/dev/null | head -1)
    if [ -n "$w" ]; then xdotool windowfocus --sync "$w" 2>/dev/null || true; fi
  fi
  case $1:$2 in
    kalvo:negative) xdotool key alt+i n ;;
    kalvo:clear) xdotool key ctrl+a; sleep 0.3; xdotool key alt+e l ;;
    kalvo:grayscale) xdotool key alt+t r ;;
    mtpaint:negative) xdotool key ctrl+shift+i ;;
    mtpaint:clear) xdotool key ctrl+a; sleep 0.3; xdotool key shift+ctrl+t ;;
    mtpaint:grayscale) xdotool key ctrl+g ;;
    kolourpaint:negative) xdotool key ctrl+i ;;
    kolourpaint:clear) xdotool key ctrl+shift+n ;;
    kolourpaint:grayscale) xdotool key alt+i g ;;
  esac
}

declare -A samples
record() { samples[$1]+="$2 "; }

# Opens a file, records the time to the screen, and leaves the process id in $pid.
open_file() { # program file key
  local out
  out=$(DISPLAY=${display[$1]} "$probe" start $marker 60 $(command_of "$1" "$2") 2>/dev/null)
  pid=${out#* }
  [[ $out == timeout* ]] && { echo "$1: $2 never showed" >&2; record "$1 $3" NA; return; }
  record "$1 $3" "${out% *}"
}

finish() { kill "$1" 2>/dev/null || true; sleep 0.5; kill -9 "$1" 2>/dev/null || true; }

for run in $(seq "$RUNS"); do
  echo "round $run of $RUNS (load $(cut -d' ' -f1 /proc/loadavg))"
  for p in "${programs[@]}"; do
    open_file "$p" "$work/photo.bmp" "open BMP"; finish "$pid"
    open_file "$p" "$work/photo.jpg" "open JPEG"
    sleep 1
    record "$p memory" "$(awk '/^Pss:/ { printf "%.0f", $2 / 1024 }' /proc/"$pid"/smaps_rollup)"
    for c in negative clear grayscale; do
      [ "$c" != negative ] && { finish "$pid"; open_file "$p" "$work/photo.jpg" "reopen"; sleep 1; }
      export DISPLAY=${display[$p]}
      xdotool mousemove 300 300 2>/dev/null || true
      before=$(cpu_ns "$pid")
      send_keys "$p" "$c"
      if "$probe" gone $marker 30 >/dev/null; then
        record "$p $c" "$(awk -v a="$before" -v b="$(cpu_ns "$pid")" 'BEGIN { printf "%.3f", (b - a) / 1e9 }')"
      else
        echo "$p: the marker stayed on the screen after $c" >&2
        record "$p $c" NA
      fi
    done
    finish "$pid"
  done
done

median() { tr ' ' '\n' | { grep -v -e '^$' -e NA || true; } | sort -g | awk '{ a[NR] = $1 } END { if (NR == 0) print "NA"; else if (NR % 2) print a[(NR + 1) / 2]; else printf "%.3f\n", (a[NR / 2] + a[NR / 2 + 1]) / 2 }'; }

echo
echo "load average at the end: $(cut -d' ' -f1-3 /proc/loadavg) (other work on the machine counts in every figure)"
printf '%-10s %10s %10s %12s %10s   %s\n' measure kalvo mtpaint kolourpaint "ratio" "(kalvo / faster peer; samples of kalvo)"
for m in "open JPEG" "open BMP" memory negative clear grayscale; do
  k=$(echo "${samples[kalvo $m]:-}" | median)
  mt=$(echo "${samples[mtpaint $m]:-}" | median)
  kp=$(echo "${samples[kolourpaint $m]:-}" | median)
  best=$(awk -v a="$mt" -v b="$kp" 'BEGIN { if (a == "NA") print b; else if (b == "NA" || a + 0 < b + 0) print a; else print b }')
  [ "$m" = memory ] && best=$mt # memory is compared with mtpaint
  ratio=$(awk -v k="$k" -v b="$best" 'BEGIN { if (k == "NA" || b == "NA" || b + 0 == 0) print "NA"; else printf "%.2f", k / b }')
  unit=s; [ "$m" = memory ] && unit=MiB
  printf '%-10s %10s %10s %12s %10s   %s\n' "$m" "$k" "$mt" "$kp" "$ratio" "$unit; ${samples[kalvo $m]:-}"
done
