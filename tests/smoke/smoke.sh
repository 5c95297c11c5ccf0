#!/bin/sh
# smoke.sh <game folder>: plays the part of a player's desktop for the real hibi.
# In a private Xvfb with openbox: start the game from a copy of its folder, wait
# for its window, wait until the title picture is on screen, then close the window
# the way a player does (Alt+F4: openbox sends the window WM_DELETE_WINDOW), and
# expect exit status 0 and sys/lstphoto.dat written.
set -eu

if [ "${1:-}" != "--inside" ]; then
  game=${1:?usage: smoke.sh <game folder>}
  if ! command -v xvfb-run >/dev/null 2>&1; then
    echo "smoke: xvfb-run is not installed; skipped"
    exit 77
  fi
  work=$(mktemp -d)
  trap 'rm -rf "$work"' EXIT INT TERM
  cp -R "$game" "$work/game"
  rm -f "$work/game/sys/lstphoto.dat"
  # No sound device: the game must start and end in silence all the same.
  xvfb-run -a -s "-screen 0 1920x1080x24 -br -nolisten tcp" sh "$0" --inside "$work"
  exit $?
fi

work=$2
game="$work/game"
fail() {
  echo "smoke: FAIL: $*"
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

openbox --sm-disable >"$work/openbox.log" 2>&1 &
wm=$!
# Generous limits: the machine may be busy building while the tests run.
poll 300 sh -c 'xprop -root _NET_SUPPORTING_WM_CHECK | grep -q "window id"' ||
  fail "openbox did not take the screen within 30 s"

# An installed program and the folder it plays may be named instead (install.sh).
game=${SMOKE_GAME:-$game}
"${SMOKE_PROGRAM:-$game/hibi}" >"$work/hibi.log" 2>&1 &
hibi=$!
started=$(date +%s)

window() { xdotool search --onlyvisible --pid "$hibi" 2>/dev/null | head -n 1; }
poll 300 sh -c "xdotool search --onlyvisible --pid $hibi | grep -q ." ||
  fail "no window within 30 s"
wid=$(window)
echo "smoke: window $wid: $(xdotool getwindowname "$wid")"
xprop -id "$wid" WM_PROTOCOLS | grep -q WM_DELETE_WINDOW ||
  fail "the window does not take WM_DELETE_WINDOW"

# The title is drawn once the window shows a picture: many colours, not the black
# of an unpainted window or one flat background colour.
colours() { import -silent -window "$wid" "$work/shot.png" && identify -format '%k' "$work/shot.png"; }
drawn() { [ "$(colours 2>/dev/null || echo 0)" -ge 64 ]; }
poll 100 drawn || fail "the title was not drawn within 10 s ($(colours) colours)"
echo "smoke: title drawn $(($(date +%s) - started)) s after start ($(colours) colours)"

xdotool windowactivate --sync "$wid" >/dev/null 2>&1 || true
xdotool key --clearmodifiers alt+F4
# An ended process stays a zombie (state Z) until it is waited for.
gone() { [ ! -e "/proc/$hibi" ] || grep -q ') Z' "/proc/$hibi/stat"; }
poll 100 gone || fail "the game did not end within 10 s of the close request"
status=0
wait "$hibi" || status=$?
kill "$wm" 2>/dev/null || true

if [ "$status" -ne 0 ]; then
  cat "$work/hibi.log"
  fail "exit status $status"
fi
[ -f "$game/sys/lstphoto.dat" ] || fail "sys/lstphoto.dat was not written"
echo "smoke: closed with status 0, lstphoto.dat written ($(wc -c <"$game/sys/lstphoto.dat") bytes)"
