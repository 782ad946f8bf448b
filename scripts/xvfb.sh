# Sourced: start_xvfb starts a private virtual display (VANDRELL_SCREEN, default 1920x1080)
# and exports DISPLAY; it is stopped (by its own process id) when the calling shell exits,
# after whatever EXIT trap the caller had set.
start_xvfb() {
  local n previous
  for n in $(seq 90 130); do
    [ -e "/tmp/.X${n}-lock" ] || [ -e "/tmp/.X11-unix/X${n}" ] || break
  done
  Xvfb ":$n" -screen 0 "${VANDRELL_SCREEN:-1920x1080}x24" -nolisten tcp >/dev/null 2>&1 &
  VANDRELL_XVFB_PID=$!
  previous=$(trap -p EXIT)
  previous=${previous#trap -- \'}
  previous=${previous%\' EXIT}
  previous=${previous//\'\\\'\'/\'}
  trap "kill \"\$VANDRELL_XVFB_PID\" 2>/dev/null || true; ${previous:-:}" EXIT
  export DISPLAY=":$n"
  for _ in $(seq 100); do
    xdpyinfo >/dev/null 2>&1 && return 0
    sleep 0.1
  done
  echo "Xvfb did not start on :$n" >&2
  return 1
}
