# Shared steps of the end-to-end runs: a private X server, waiting for windows, answering a
# file dialog. Source it after setting $work; the caller's EXIT trap kills $xvfb.

start_xvfb() { # starts Xvfb on a free-looking display and exports DISPLAY
  local display=:$(( 90 + RANDOM % 100 ))
  Xvfb "$display" -screen 0 1280x1024x24 -nolisten tcp >/dev/null 2>&1 &
  xvfb=$!
  export DISPLAY=$display
  sleep 1
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
