#!/usr/bin/env bash
# The editor against the peer editors mtpaint, KolourPaint and (when installed) GIMP, as a user
# sees them, side by side in one run: each program runs under its own Xvfb; RUNS rounds alternate
# between the programs so that load from elsewhere hits them alike; the script reports medians
# and ratios to the fastest peer.
#   open   seconds from exec until the picture shows on the screen (a marker colour in its
#          top-left part is polled for), a 24-megapixel JPEG and the same picture as a BMP
#   memory proportional set size (PSS) of the process with the JPEG shown
#   negative, clear, grayscale   CPU seconds of the process from the key press until the marker
#          is gone from the screen (inverted, cleared to white over everything selected, or grey)
#   bright-contr, hue-sat, levels, blur, sharpen   the photo adjustments through their dialogs on
#          the whole picture, CPU seconds from the key (or click) that applies the dialog until the
#          marker is gone; the marker is then striped (3 pixels of it, 3 of purple) so that blur
#          and sharpen change it too, and the picture is a BMP
#   rotate90, flip   the picture turned clockwise or mirrored left to right from the menu: CPU
#          seconds, and wall seconds ("... wall") from the key that runs it until the marker has
#          left the view (xdotool's start and the probe's first look at the screen included)
# A peer without the command shows "—". CPU is the process's CPU clock, so worker threads that
# have ended count too. mtpaint runs with 1000 MB for undo (its default refuses to rotate a
# 24-megapixel picture) and without its automatic preview on the canvas (the preview would
# change the screen before the command is applied); its view is scrolled to the top-left corner
# for the later commands, where the other programs start.
# Needs a built kalvo (BUILD, default build); installs the peers (scripts/install-bench-deps.sh).
# About 6 minutes a round on 2 cores with GIMP (3.5 without it).
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
# The same photo with the marker in stripes 3 pixels wide, which blur and sharpen change.
convert -size 3x1 xc:'rgb(31,214,92)' -size 3x1 xc:'rgb(200,40,220)' +append "$work/tile.png"
convert "$work/photo.jpg" \( -size 3000x2000 tile:"$work/tile.png" \) -geometry +0+0 -composite \
  -type TrueColor "BMP3:$work/stripes.bmp"
rm -f "$work"/*.v

# mtpaint's settings: room for undo steps of this picture, no preview on the canvas.
mkdir -p "$work/mtpaint-home"
printf 'undoMBlimit = 1000\nautopreviewToggle = 0\n' >"$work/mtpaint-home/.mtpaint"
# GIMP's: pictures open at 100 % (not fitted to the window), and keys for the commands.
mkdir -p "$work/gimp"
echo '(initial-zoom-to-fit no)' >"$work/gimp/gimprc"
i=1
for a in filters/filters-invert-perceptual filters/filters-desaturate filters/filters-brightness-contrast \
  filters/filters-hue-saturation filters/filters-levels filters/filters-gaussian-blur filters/filters-unsharp-mask \
  image/image-rotate-90 image/image-flip-horizontal; do
  echo "(gtk_accel_path \"<Actions>/$a\" \"<Primary><Alt>$i\")" >>"$work/gimp/menurc"
  i=$((i + 1))
done

# PROGRAMS and COMMANDS (space-separated) choose a part, e.g. COMMANDS="blur sharpen"; SHOTS=DIR
# keeps a screenshot of each command's screen before the key and once the marker has gone.
# GIMP joins when it is installed.
default_programs="kalvo mtpaint kolourpaint"
command -v gimp >/dev/null && default_programs+=" gimp"
read -ra programs <<<"${PROGRAMS:-$default_programs}"
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
    mtpaint) echo "env HOME=$work/mtpaint-home mtpaint $2" ;;
    kolourpaint) echo "kolourpaint $2" ;;
    # Without brushes, patterns and fonts (-d -f): GIMP starts sooner, its commands are the same.
    gimp) echo "env GIMP2_DIRECTORY=$work/gimp gimp -n --no-splash -d -f $2" ;;
  esac
}

# CPU nanoseconds of a process, its ended threads included (Kalvo's and GIMP's workers end after
# a command: a sum over /proc/PID/task counted a blur at half its CPU).
cpu_ns() { "$probe" cpu "$1" 2>/dev/null || echo 0; }

read -ra commands <<<"${COMMANDS:-negative clear grayscale bright-contr hue-sat levels blur sharpen rotate90 flip}"

# Whether a program has the command; the settings used are those of prepare_command.
has_command() { # program command
  return 0
}

# Top-level window of the process (the first visible one whose name matches).
window_of() { # name-pattern
  xdotool search --onlyvisible --pid "$pid" --name "$1" 2>/dev/null | head -1
}

# Focuses a Qt program's window (there is no window manager); mtpaint takes the keyboard from
# the pointer over its window.
focus_program() { # program
  local w
  if [ "$1" != mtpaint ]; then
    w=$(xdotool search --onlyvisible --pid "$pid" 2>/dev/null | head -1)
    if [ -n "$w" ]; then xdotool windowfocus --sync "$w" 2>/dev/null || true; fi
  fi
}

# Replaces the text of a field that has the keyboard focus; typed slowly: under load Kalvo's
# sharpen dialog once kept only the first digit of "100" (its preview starts at the first key).
type_value() { xdotool key ctrl+a; xdotool type --delay 80 -- "$1"; }

# Everything before the key that runs a command: opening its menu or dialog and setting its
# values, so that only the command itself is measured. Settings, as close as the programs allow:
#   bright-contr  brightness +30, contrast +20 (KolourPaint: Balance)
#   hue-sat       hue +30 degrees, saturation +20 (mtpaint: Transform Colour; KolourPaint: Hue,
#                 Saturation, Value, whose saturation runs to 1: 0.2)
#   levels        gamma 1.5, black and white points unchanged (mtpaint: Transform Colour's
#                 gamma; KolourPaint: Balance's gamma 20)
#   blur          Gaussian, radius 5 (mtpaint without gamma correction; KolourPaint: Soften &
#                 Sharpen at -5)
#   sharpen       unsharp mask, radius 2, amount 100 %, threshold 0 (KolourPaint: Soften &
#                 Sharpen at +5)
# mtpaint's dialogs take the keyboard from the pointer over them too.
prepare_command() { # program command
  local w
  case $1:$2 in
    kalvo:negative | kalvo:grayscale | mtpaint:negative | mtpaint:grayscale | kolourpaint:*) ;;
    kalvo:clear | mtpaint:clear) xdotool key ctrl+a; sleep 0.3 ;;
    kalvo:bright-contr)
      xdotool key alt+t b; sleep 1; xdotool key alt+b; type_value 30
      xdotool key alt+c; type_value 20 ;;
    kalvo:hue-sat)
      xdotool key alt+t h; sleep 1; xdotool key alt+u; type_value 30
      xdotool key alt+s; type_value 20; xdotool key alt+l; type_value 0 ;;
    kalvo:levels)
      xdotool key alt+t l; sleep 1; xdotool key alt+b; type_value 0
      xdotool key alt+w; type_value 255; xdotool key alt+g; type_value 1.50 ;;
    kalvo:blur) xdotool key alt+t g; sleep 1; xdotool key alt+r; type_value 5.0 ;;
    kalvo:sharpen)
      xdotool key alt+t u; sleep 1; xdotool key alt+m; type_value 100
      xdotool key alt+r; type_value 2.0; xdotool key alt+t; type_value 0 ;;
    kalvo:rotate90 | kalvo:flip) xdotool key alt+i o ;;
    mtpaint:*)
      # The later commands start from the top-left corner: a middle click on a scroll bar's
      # trough moves the view there.
      w=$(window_of '^mtPaint')
      for _ in 1 2; do
        xdotool mousemove --window "$w" 112 373 click 2 mousemove --window "$w" 620 118 click 2
        sleep 0.3
      done
      xdotool mousemove --window "$w" 20 380
      case $2 in
        bright-contr | hue-sat | levels)
          # Transform Colour opens beside the pointer; its fields are typed into after a triple
          # click (gamma in hundredths).
          xdotool key shift+ctrl+c; sleep 1
          local t
          t=$(xdotool search --onlyvisible --name '^Transform Colour$' | head -1)
          mtpaint_field() { xdotool mousemove --window "$t" 370 "$1" click --repeat 3 1; xdotool type "$2"; xdotool key Tab; }
          case $2 in
            bright-contr) mtpaint_field 46 30; mtpaint_field 71 20 ;;
            hue-sat) mtpaint_field 121 30; mtpaint_field 96 20 ;;
            levels) mtpaint_field 21 150 ;;
          esac ;;
        blur | sharpen)
          # Effects: Gaussian Blur is the 11th item, Unsharp Mask the 9th.
          xdotool key alt+c; sleep 0.3
          if [ "$2" = blur ]; then xdotool key --delay 30 Down Down Down Down Down Down Down Down Down Down Return
          else xdotool key --delay 30 Down Down Down Down Down Down Down Down Return; fi
          sleep 1
          local d
          if [ "$2" = blur ]; then
            d=$(xdotool search --onlyvisible --name '^Gaussian Blur$' | head -1)
            xdotool mousemove --window "$d" 150 20; xdotool type 5
            xdotool mousemove --window "$d" 14 126 click 1 # gamma correction off
          else
            d=$(xdotool search --onlyvisible --name '^Unsharp Mask$' | head -1)
            xdotool mousemove --window "$d" 150 20; xdotool type 2; xdotool key Tab; type_value 1; xdotool key Tab; type_value 0
            xdotool mousemove --window "$d" 14 139 click 1
          fi
          xdotool mousemove --window "$d" 150 20 ;;
        rotate90) xdotool key alt+i; sleep 0.3; xdotool key --delay 30 Down Down Down Down Down ;;
      esac ;;
  esac
  if [ "$1" = gimp ]; then prepare_gimp "$2"; fi
  case $1:$2 in
    kolourpaint:bright-contr | kolourpaint:hue-sat | kolourpaint:levels | kolourpaint:blur | kolourpaint:sharpen)
      # More Effects opens over the main window: it is moved beside it, so that the canvas shows.
      xdotool key ctrl+m
      w=$(xdotool search --sync --onlyvisible --name 'More Image Effects' | head -1)
      xdotool windowmove "$w" 640 0; sleep 0.5
      case $2 in
        bright-contr) xdotool key alt+e Home; sleep 0.5; xdotool key alt+b; type_value 30; xdotool key alt+n; type_value 20 ;;
        levels) xdotool key alt+e Home; sleep 0.5; xdotool key alt+g; type_value 20 ;;
        hue-sat) xdotool key alt+e Home Down Down Down Down; sleep 0.5; xdotool key alt+h; type_value 30; xdotool key alt+s; type_value 0.2 ;;
        blur) xdotool key alt+e End; sleep 0.5; xdotool key alt+a; type_value -5 ;;
        sharpen) xdotool key alt+e End; sleep 0.5; xdotool key alt+a; type_value 5 ;;
      esac ;;
    kolourpaint:flip) xdotool key alt+i ;;
  esac
}

# GIMP: its window fills the screen and its view is scrolled to the top-left corner with the
# wheel; a filter's dialog is moved to the right, its values typed after a click into each field,
# its preview on the canvas turned off (the check box above the buttons); OK is clicked.
gimp_ok=()
prepare_gimp() { # command
  local w d name x y v WIDTH HEIGHT
  w=$(window_of 'GIMP$')
  xdotool windowmove "$w" 0 0 windowsize "$w" 1600 1000
  sleep 1
  xdotool mousemove 700 500 click --repeat 40 --delay 10 4
  xdotool keydown shift click --repeat 40 --delay 10 4 keyup shift
  sleep 0.5
  xdotool windowfocus --sync "$w"
  set -- "$1" $(case $1 in
    clear) ;;
    grayscale) echo 2 Desaturate ;;
    bright-contr) echo 3 Brightness-Contrast 300 92 30 300 119 20 ;;
    hue-sat) echo 4 Hue-Saturation 300 319 30 300 369 20 ;;
    levels) echo 5 Levels 250 245 1.5 ;;
    blur) echo 6 'Gaussian.Blur' 166 93 5 ;;
    sharpen) echo 7 'Sharpen..Unsharp.Mask.' 300 92 2 300 116 1 300 139 0 ;;
  esac)
  case $1 in
    clear) xdotool key ctrl+a ;;
    grayscale | bright-contr | hue-sat | levels | blur | sharpen)
      xdotool key "ctrl+alt+$2"
      name=$3
      shift 3
      d=$(xdotool search --sync --onlyvisible --name "^$name\$" | head -1)
      xdotool windowmove "$d" 1000 40 windowfocus --sync "$d"
      sleep 0.5
      while [ $# -ge 3 ]; do
        x=$1 y=$2 v=$3
        shift 3
        xdotool mousemove --window "$d" "$x" "$y" click 1
        type_value "$v"
        xdotool key Tab
      done
      eval "$(xdotool getwindowgeometry --shell "$d")"
      xdotool mousemove --window "$d" 14 $((HEIGHT - 57)) click 1 # Preview off
      gimp_ok=("$d" $((WIDTH - 45)) $((HEIGHT - 22))) ;;
  esac
}

# The key (or click) that runs the command once everything is prepared: negative, clear (mtpaint
# fills the selection with colour A, KolourPaint's Clear needs no selection), grayscale (Kalvo's of
# the photo adjustments, mtpaint's Greyscale, KolourPaint's Reduce to Grayscale), a dialog's OK,
# or the menu item.
apply_command() { # program command
  case $1:$2 in
    kalvo:negative) xdotool key alt+i n ;;
    kalvo:clear) xdotool key alt+e l ;;
    kalvo:grayscale) xdotool key alt+t r ;;
    kalvo:rotate90) xdotool key r ;;
    kalvo:flip) xdotool key h ;;
    kalvo:*) xdotool key Return ;; # OK, the default button, from the last field
    mtpaint:negative) xdotool key ctrl+shift+i ;;
    mtpaint:clear) xdotool key shift+ctrl+t ;;
    mtpaint:grayscale) xdotool key ctrl+g ;;
    mtpaint:bright-contr | mtpaint:hue-sat | mtpaint:levels)
      xdotool mousemove --window "$(xdotool search --onlyvisible --name '^Transform Colour$' | head -1)" 382 242 click 1 ;;
    mtpaint:flip) xdotool key ctrl+m ;;
    mtpaint:*) xdotool key Return ;;
    kolourpaint:negative) xdotool key ctrl+i ;;
    kolourpaint:clear) xdotool key ctrl+shift+n ;;
    kolourpaint:grayscale) xdotool key alt+i g ;;
    kolourpaint:rotate90) xdotool key ctrl+shift+Right ;;
    kolourpaint:flip) xdotool key h ;;
    kolourpaint:*) xdotool key Return ;;
    gimp:negative) xdotool key ctrl+alt+1 ;;
    gimp:clear) xdotool key Delete ;;
    gimp:rotate90) xdotool key ctrl+alt+8 ;;
    gimp:flip) xdotool key ctrl+alt+9 ;;
    gimp:*) xdotool mousemove --window "${gimp_ok[0]}" "${gimp_ok[1]}" "${gimp_ok[2]}" click 1 ;;
  esac
}

declare -A samples
record() { samples[$1]+="$2 "; }

# Opens a file, records the time to the screen, and leaves the process id in $pid.
open_file() { # program file key
  local out
  # GIMP saves a killed session's changed picture and offers it back at the next start.
  [ "$1" = gimp ] && rm -rf "$work/gimp/backups" "$work/gimp/CrashLog"
  out=$(DISPLAY=${display[$1]} "$probe" start $marker 60 $(command_of "$1" "$2") 2>/dev/null)
  pid=${out#* }
  [[ $out == timeout* ]] && { echo "$1: $2 never showed" >&2; record "$1 $3" NA; return; }
  record "$1 $3" "${out% *}"
}

finish() { kill "$1" 2>/dev/null || true; sleep 0.5; kill -9 "$1" 2>/dev/null || true; }

if [ -n "${display[gimp]:-}" ]; then
  # GIMP's first start in a fresh settings folder sets it up; that is not an open.
  out=$(DISPLAY=${display[gimp]} "$probe" start $marker 120 $(command_of gimp "$work/photo.jpg") 2>/dev/null) || true
  kill "${out#* }" 2>/dev/null || true
  sleep 1
fi
for run in $(seq "$RUNS"); do
  echo "round $run of $RUNS (load $(cut -d' ' -f1 /proc/loadavg))"
  for p in "${programs[@]}"; do
    open_file "$p" "$work/photo.bmp" "open BMP"; finish "$pid"
    open_file "$p" "$work/photo.jpg" "open JPEG"
    sleep 1
    record "$p memory" "$(awk '/^Pss:/ { printf "%.0f", $2 / 1024 }' /proc/"$pid"/smaps_rollup)"
    for c in "${commands[@]}"; do
      has_command "$p" "$c" || continue
      if [ "$c" != negative ]; then
        finish "$pid"
        case $c in
          negative | clear | grayscale) open_file "$p" "$work/photo.jpg" "reopen" ;;
          *) open_file "$p" "$work/stripes.bmp" "reopen" ;;
        esac
        sleep 1
      fi
      export DISPLAY=${display[$p]}
      case $c in
        negative | clear | grayscale) xdotool mousemove 300 300 2>/dev/null || true ;;
      esac
      focus_program "$p"
      prepare_command "$p" "$c"
      sleep 1.5 # the dialogs' previews
      [ -n "${SHOTS:-}" ] && import -window root "$SHOTS/$p-$c.png"
      before=$(cpu_ns "$pid")
      start=$EPOCHREALTIME
      apply_command "$p" "$c"
      if "$probe" gone $marker 60 >/dev/null; then
        end=$EPOCHREALTIME
        record "$p $c" "$(awk -v a="$before" -v b="$(cpu_ns "$pid")" 'BEGIN { printf "%.3f", (b - a) / 1e9 }')"
        record "$p $c wall" "$(awk -v a="$start" -v b="$end" 'BEGIN { printf "%.3f", b - a }')"
        [ -n "${SHOTS:-}" ] && import -window root "$SHOTS/$p-$c-after.png"
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
# printf pads by bytes: a dash of 3 bytes gets two more spaces.
cell() { if [ "$1" = "—" ]; then printf "%$(($2 + 2))s" "$1"; else printf "%$2s" "$1"; fi; }
printf '%-14s' measure
for p in "${programs[@]}"; do printf ' %12s' "$p"; done
printf ' %8s   %s\n' ratio "(kalvo / fastest peer; samples of kalvo)"
rows=("open JPEG" "open BMP" memory "${commands[@]}")
for c in rotate90 flip; do [[ " ${commands[*]} " == *" $c "* ]] && rows+=("$c wall"); done
for m in "${rows[@]}"; do
  cells=()
  for p in "${programs[@]}"; do
    if has_command "$p" "${m% wall}"; then cells+=("$(echo "${samples[$p $m]:-}" | median)"); else cells+=("—"); fi
  done
  k=${cells[0]}
  best=NA
  for v in "${cells[@]:1}"; do
    best=$(awk -v a="$best" -v b="$v" 'BEGIN { if (b !~ /^[0-9.]+$/) print a; else if (a == "NA" || b + 0 < a + 0) print b; else print a }')
  done
  [ "$m" = memory ] && best=${cells[1]:-NA} # memory is compared with mtpaint
  ratio=$(awk -v k="$k" -v b="$best" 'BEGIN { if (k !~ /^[0-9.]+$/ || b !~ /^[0-9.]+$/ || b + 0 == 0) print "NA"; else printf "%.2f", k / b }')
  unit="CPU s"; [ "$m" = memory ] && unit=MiB; [[ $m == open* || $m == *wall ]] && unit=s
  printf '%-14s' "$m"
  for v in "${cells[@]}"; do printf ' '; cell "$v" 12; done
  printf ' %8s   %s\n' "$ratio" "$unit; ${samples[kalvo $m]:-}"
done
