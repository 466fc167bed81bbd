# Sourced by the scripts that need an X display: starts a private Xvfb on the
# first free display number and stops it (and Wine's server) on exit.
xvfb_start() {
  local n
  for ((n = 90; n < 190; n++)); do
    [ -e "/tmp/.X$n-lock" ] || [ -e "/tmp/.X11-unix/X$n" ] && continue
    Xvfb ":$n" -screen 0 1280x1024x24 -nolisten tcp >/dev/null 2>&1 &
    XVFB_PID=$!
    for _ in $(seq 100); do
      if [ -e "/tmp/.X11-unix/X$n" ]; then
        export DISPLAY=":$n"
        return 0
      fi
      # A server of another file system (a container sharing the network)
      # may hold the number through its abstract socket: try the next one.
      kill -0 "$XVFB_PID" 2>/dev/null || break
      sleep 0.1
    done
    kill "$XVFB_PID" 2>/dev/null || true
    wait "$XVFB_PID" 2>/dev/null || true
  done
  echo "xvfb: could not start a display" >&2
  return 1
}

xvfb_stop() {
  if [ -n "${WINEPREFIX:-}" ]; then WINEPREFIX=$WINEPREFIX wineserver -k 2>/dev/null || true; fi
  if [ -n "${XVFB_PID:-}" ]; then kill "$XVFB_PID" 2>/dev/null || true; wait "$XVFB_PID" 2>/dev/null || true; fi
}

# xvfb_stop_with_wine <prefix>...: stops the Wine server of each prefix, then the display.
xvfb_stop_with_wine() {
  local prefix
  for prefix in "$@"; do
    WINEPREFIX=$prefix wineserver -k 2>/dev/null || true
  done
  xvfb_stop
}
