# Shared steps of the end-to-end runs: a private X server, waiting for windows, answering a
# file dialog. Source it after setting $work; the caller's EXIT trap kills $xvfb.

start_xvfb() { # $1: screen geometry (default 1280x1024x24); starts Xvfb and exports DISPLAY
  # The server picks a free display itself and reports it once it accepts clients, so runs in
  # parallel (and other X servers on this machine) never share one.
  local numberFile
  numberFile=$(mktemp)
  Xvfb -displayfd 3 -screen 0 "${1:-1280x1024x24}" -nolisten tcp 3>"$numberFile" >/dev/null 2>&1 &
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

type_into_dialog() { # $1: dialog title pattern, $2: text typed into its focused field
  local dlg
  dlg=$(wait_window "$1") || { echo "dialog '$1' did not appear"; exit 1; }
  sleep 0.3
  xdotool windowfocus --sync "$dlg"
  xdotool key --clearmodifiers ctrl+a
  xdotool type --delay 5 "$2"
  xdotool key Return
}
