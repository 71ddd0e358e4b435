# Shared steps of the end-to-end runs: the work directory, a private X server, waiting for
# windows, answering a file dialog, finding the marker pixel, a mouse drag, clearing and saving,
# quitting. Source it after setting $here (the folder of these scripts); e2e_workspace makes
# $work and the EXIT trap that ends $pid and $xvfb.

# A fresh folder for a run's files. Not under /tmp: the file dialogs' completer lists every folder
# a typed path passes through, and a crowded /tmp (hundreds of entries) made a slow sanitizer
# build lose typed keys.
e2e_folder() {
  mktemp -d "${KALVO_E2E_TMP:-/var/tmp}/kalvo-e2e.XXXXXX"
}

e2e_workspace() { # a fresh $work with an empty settings directory; on exit $pid and $xvfb end
  work=$(e2e_folder)
  pid=""
  xvfb=""
  trap 'kill $pid 2>/dev/null || true; kill $xvfb 2>/dev/null || true; rm -rf "$work"' EXIT
  export KALVO_CONFIG_DIR=$work/config
  mkdir -p "$KALVO_CONFIG_DIR"
}

start_xvfb() { # $1: screen geometry (default 1280x1024x24); starts Xvfb and exports DISPLAY
  # The server picks a free display itself and reports it once it accepts clients, so runs in
  # parallel (and other X servers on this machine) never share one.
  local numberFile
  numberFile=$(mktemp)
  # -noreset: the server would otherwise reset when its last client goes, and a program started
  # right after one was ended could not connect during the reset.
  Xvfb -displayfd 3 -screen 0 "${1:-1280x1024x24}" -nolisten tcp -noreset 3>"$numberFile" >/dev/null 2>&1 &
  xvfb=$!
  for _ in $(seq 100); do
    [ -s "$numberFile" ] && break
    sleep 0.1
  done
  [ -s "$numberFile" ] || { echo "Xvfb did not start"; rm -f "$numberFile"; exit 1; }
  export DISPLAY=:$(head -n1 "$numberFile")
  rm -f "$numberFile"
}

wait_window() { # $1: title pattern; prints the first visible window's id, fails after 30 s
  local id=""
  for _ in $(seq 300); do
    id=$(xdotool search --onlyvisible --name "$1" 2>/dev/null | head -n1 || true)
    [ -n "$id" ] && { echo "$id"; return 0; }
    sleep 0.1
  done
  return 1
}

type_into_dialog() { # $1: dialog title pattern (the whole title), $2: text typed into its focused field
  local dlg
  dlg=$(wait_window "$1") || { echo "dialog '$1' did not appear"; exit 1; }
  sleep 0.3
  xdotool windowfocus --sync "$dlg"
  xdotool key --clearmodifiers ctrl+a
  xdotool type --delay 20 "$2"
  xdotool key Return
}

find_marker() { # prints the screen position "x y" of the marker pixel FE01FD, fails after 5 s
  local pos=""
  for _ in $(seq 50); do
    pos=$(python3 "$here/find_screen_colour.py" fe01fd || true)
    [ -n "$pos" ] && { echo "$pos"; return 0; }
    sleep 0.1
  done
  return 1
}

drag_screen() { # $1 $2 to $3 $4: a left-button drag in screen pixels, in four steps
  xdotool mousemove "$1" "$2"
  sleep 0.2
  xdotool mousedown 1
  for step in 1 2 3 4; do
    xdotool mousemove $(($1 + ($3 - $1) * step / 4)) $(($2 + ($4 - $2) * step / 4))
    sleep 0.05
  done
  xdotool mouseup 1
  sleep 0.3
}

clear_and_save_as() { # $1: file; Edit menu Clear (Alt+E, L), then Save As (Shift+Ctrl+A) to $1
  xdotool key --clearmodifiers alt+e
  sleep 0.5
  xdotool key l
  sleep 0.5
  xdotool key --clearmodifiers shift+ctrl+a
  type_into_dialog '^名前を付けて保存$' "$1"
  for _ in $(seq 300); do [ -s "$1" ] && break; sleep 0.1; done
  [ -s "$1" ] || { echo "$1 was not written"; exit 1; }
}

quit_editor() { # $1: the editor's window; closes it with Alt+F4 and waits for $pid to end
  xdotool windowfocus --sync "$1"
  sleep 0.3
  xdotool key --clearmodifiers alt+F4
  for _ in $(seq 50); do kill -0 "$pid" 2>/dev/null || break; sleep 0.1; done
  if kill -0 "$pid" 2>/dev/null; then echo "editor did not quit"; exit 1; fi
}
