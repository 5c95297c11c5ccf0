#!/bin/sh
# smoke.sh <game folder>: plays the part of a player's desktop for the real hibi.
# In a private Xvfb with openbox: start the game from a copy of its folder, wait
# for its window and the title picture. Then, as a player would: the window starts
# 8:6 and centred with its frame; a move, a resize and a maximise are kept, and the
# day-limit box is readable when maximised; a game is fast-forwarded with Ctrl (set to
# skip everything) to the command panel, the メニュー pop-up opened and the window
# asked to close under it: the game ends with status 0 and sys/lstphoto.dat written
# once the menu goes.
# SMOKE_SCREEN (default 1920x1080) sets the screen.
set -eu

if [ "${1:-}" != "--inside" ]; then
  game=${1:?usage: smoke.sh <game folder>}
  if ! command -v Xvfb >/dev/null 2>&1; then
    echo "smoke: Xvfb is not installed; skipped"
    exit 77
  fi
  for tool in xdotool wmctrl openbox xwininfo xprop import convert; do
    command -v "$tool" >/dev/null 2>&1 || { echo "smoke: FAIL: $tool is not installed"; exit 1; }
  done
  work=$(mktemp -d)
  xvfb=
  trap '[ -n "$xvfb" ] && kill "$xvfb" 2>/dev/null; rm -rf "$work"' EXIT INT TERM
  cp -R "$game" "$work/game"
  rm -f "$work/game/sys/lstphoto.dat"
  # The server picks a free display itself and writes its number when it is ready:
  # two smoke tests started at once (ctest -j) once took the same one with xvfb-run -a.
  Xvfb -displayfd 3 -screen 0 "${SMOKE_SCREEN:-1920x1080}x24" -br -nolisten tcp \
    3>"$work/display" >"$work/xvfb.log" 2>&1 &
  xvfb=$!
  tenths=100
  while [ ! -s "$work/display" ] && [ "$tenths" -gt 0 ]; do sleep 0.1; tenths=$((tenths - 1)); done
  [ -s "$work/display" ] || { echo "smoke: FAIL: Xvfb did not start"; exit 1; }
  # No sound device: the game must start and end in silence all the same.
  DISPLAY=:$(cat "$work/display") sh "$0" --inside "$work"
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
# Choices of its own, never the tester's: Ctrl skips everything, so it runs through
# an opening no one has read before.
mkdir -p "$work/config/hibi"
printf '[General]\nskipEverything=true\n' >"$work/config/hibi/hibi.conf"
XDG_CONFIG_HOME="$work/config" "${SMOKE_PROGRAM:-$game/hibi}" >"$work/hibi.log" 2>&1 &
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

# The frame's outer rectangle "width height left top", from openbox's extents.
outer() {
  set -- $(xprop -id "$wid" _NET_FRAME_EXTENTS | sed 's/.*= //; s/,//g')
  xwininfo -id "$wid" | awk -v l="$1" -v r="$2" -v t="$3" -v b="$4" '
    /Absolute upper-left X/ {x = $NF} /Absolute upper-left Y/ {y = $NF}
    /Width/ {w = $NF} /Height/ {h = $NF} END {print w + l + r, h + t + b, x - l, y - t}'
}
inner() { xwininfo -id "$wid" | awk '/Absolute upper-left X/ {x = $NF} /Absolute upper-left Y/ {y = $NF}
  /Width/ {w = $NF} /Height/ {h = $NF} END {print w, h, x, y}'; }
set -- $(xwininfo -root | awk '/Width/ {w = $NF} /Height/ {h = $NF} END {print w, h}')
sw=$1 sh=$2
near() { [ $(($1 > $2 ? $1 - $2 : $2 - $1)) -le "${3:-3}" ]; }
# 8:6 within a pixel or two of rounding, and centred on the screen within 3 px.
shaped() { set -- $(outer); near $(($1 * 3)) $(($2 * 4)) 8; }
centred() { set -- $(outer); near "$3" $(((sw - $1) / 2)) && near "$4" $(((sh - $2) / 2)); }
is_at() { [ "$(outer)" = "$1" ]; }
# Holds $1 for two seconds: nothing may undo what the player did.
kept() { sleep 2; [ "$(outer)" = "$1" ] || fail "$2 was undone: $1 became $(outer)"; }
maximised() { wmctrl -i -r "$wid" -b "$1,maximized_vert,maximized_horz"; }

xprop -id "$wid" _NET_FRAME_EXTENTS | grep -q '= [0-9]' || fail "openbox reports no frame"
poll 50 shaped || fail "not 8:6 at start, frame included: $(outer)"
centred || fail "not centred at start: $(outer) on ${sw}x$sh"
echo "smoke: start $(outer) (outer w h left top) on ${sw}x$sh"

xdotool windowmove "$wid" 30 40
poll 50 sh -c "[ \"\$(xwininfo -id $wid | awk '/Absolute upper-left X/ {print \$NF}')\" -lt 100 ]" ||
  fail "the move did not happen: $(outer)"
moved=$(outer)
kept "$moved" "a move"
echo "smoke: moved to $moved"

xdotool windowsize "$wid" 1000 700
poll 50 sh -c "xwininfo -id $wid | grep -q 'Width: 1000'" || fail "the resize did not happen"
poll 50 centred || fail "not centred after a resize: $(outer)"
shaped || fail "not 8:6 after a resize: $(outer)"
resized=$(outer)
kept "$resized" "a resize"
echo "smoke: resized to $resized"

maximised add
poll 50 is_at "$sw $sh 0 0" || fail "the maximise did not happen: $(outer)"
kept "$sw $sh 0 0" "a maximise"
# The day-limit box: its "10" must keep a clear row above and below (fonts from
# the real height); the box is 25 px high at the inner area's top-left corner.
xdotool key a
sleep 1
set -- $(inner)
import -silent -window root "$work/max.png"
set -- $(convert "$work/max.png" -crop "91x23+$(($3 + 3))+$(($4 + 1))" +repage -colorspace gray \
  -threshold 40% -negate -trim -format '%h %Y' info:)
[ "$1" -ge 8 ] && [ "$2" -gt 0 ] && [ $(($1 + $2)) -lt 23 ] ||
  fail "the day limit is clipped or missing when maximised (text $1 px high at row $2)"
echo "smoke: maximised and kept; the day limit is $1 px high with room round it"
xdotool key a
maximised remove
poll 50 is_at "$resized" || fail "the restore did not bring back $resized: $(outer)"

# Start a game and hold Ctrl until the opening has run to the command panel.
set -- $(inner)
xdotool mousemove $(($3 + $1 / 2)) $(($4 + $2 / 2)) click 1
sleep 1
xdotool keydown ctrl
sleep 3
xdotool keyup ctrl
# メニュー, the last of 11 rows on the command panel at 6.5..8 of the 8.2 by 6.2 grid.
set -- $(inner)
xdotool mousemove $(($3 + $1 * 735 / 820)) $(($4 + $2 * (600 * 21 / 22 + 10) / 620)) click 1
poll 50 sh -c "[ \$(xdotool search --onlyvisible --pid $hibi | wc -l) -ge 2 ]" ||
  fail "the pop-up menu did not open"
# Ask the window manager to close the window; it sends WM_DELETE_WINDOW.
wmctrl -i -c "$wid"
sleep 2
[ -e "/proc/$hibi" ] && ! grep -q ') Z' "/proc/$hibi/stat" ||
  fail "the game ended under the open menu"
[ "$(xdotool search --onlyvisible --pid "$hibi" | wc -l)" -ge 2 ] || fail "the menu went away by itself"
echo "smoke: close requested under the menu; still running"
xdotool key Escape
# An ended process stays a zombie (state Z) until it is waited for.
gone() { [ ! -e "/proc/$hibi" ] || grep -q ') Z' "/proc/$hibi/stat"; }
poll 100 gone || fail "the game did not end within 10 s of the menu's dismissal"
status=0
wait "$hibi" || status=$?
kill "$wm" 2>/dev/null || true

if [ "$status" -ne 0 ]; then
  cat "$work/hibi.log"
  fail "exit status $status"
fi
[ -f "$game/sys/lstphoto.dat" ] || fail "sys/lstphoto.dat was not written"
echo "smoke: closed with status 0, lstphoto.dat written ($(wc -c <"$game/sys/lstphoto.dat") bytes)"
