# Sourced by the smoke tests (which set `name` first): a private X server, a failure
# that stops the game and its window manager, and waiting on a condition, never a
# fixed sleep.

# start_xvfb <work folder> <screen>: the server picks a free display itself and
# writes its number to <work>/display when it is ready: two smoke tests started at
# once (ctest -j) once took the same one with xvfb-run -a.
start_xvfb() {
  Xvfb -displayfd 3 -screen 0 "$2x24" -br -nolisten tcp 3>"$1/display" >"$1/xvfb.log" 2>&1 &
  xvfb=$!
  tenths=100
  while [ ! -s "$1/display" ] && [ "$tenths" -gt 0 ]; do sleep 0.1; tenths=$((tenths - 1)); done
  [ -s "$1/display" ] || { echo "$name: FAIL: Xvfb did not start"; exit 1; }
}

fail() {
  echo "$name: FAIL: $*"
  [ -n "${hibi:-}" ] && kill "$hibi" 2>/dev/null
  [ -n "${wm:-}" ] && kill "$wm" 2>/dev/null
  exit 1
}

# Waits up to $1 tenths of a second for the command after it to succeed.
poll() {
  tenths=$1
  shift
  while ! "$@" >/dev/null 2>&1; do
    tenths=$((tenths - 1))
    [ "$tenths" -gt 0 ] || return 1
    sleep 0.1
  done
}
