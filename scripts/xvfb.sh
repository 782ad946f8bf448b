# Sourced: start_xvfb starts a private 1920x1080 virtual display and exports DISPLAY; it is
# stopped (by its own process id) when the calling shell exits.
start_xvfb() {
  local n
  for n in $(seq 90 130); do
    [ -e "/tmp/.X${n}-lock" ] || [ -e "/tmp/.X11-unix/X${n}" ] || break
  done
  Xvfb ":$n" -screen 0 1920x1080x24 -nolisten tcp >/dev/null 2>&1 &
  VANDRELL_XVFB_PID=$!
  trap 'kill "$VANDRELL_XVFB_PID" 2>/dev/null || true' EXIT
  export DISPLAY=":$n"
  for _ in $(seq 100); do
    xdpyinfo >/dev/null 2>&1 && return 0
    sleep 0.1
  done
  echo "Xvfb did not start on :$n" >&2
  return 1
}
