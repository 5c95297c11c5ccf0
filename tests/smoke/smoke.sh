#!/bin/sh
# smoke.sh <game folder>: plays the part of a player's desktop for the real hibi.
# In a private Xvfb with a window manager: start the game from a copy of its folder,
# wait for its window and the title picture. Then, as a player would: the window
# starts 8:6 and centred on the usable screen with its frame; a move and a resize
# are kept, a request to grow past the screen gives the largest 8:6 window that
# fits; a maximise is kept and undone to the size from before, and the day-limit
# box is readable when maximised; F11 fills the screen, the game 8:6 between bars,
# and F11 again gives the window back; a game is fast-forwarded with Ctrl (set to
# skip everything) to the command panel, the メニュー pop-up opened and the window
# asked to close under it: the game ends with status 0 and sys/lstphoto.dat written
# once the menu goes.
# SMOKE_SCREEN (default 1920x1080) sets the screen, SMOKE_WM the window manager:
# openbox (the default), icewm, or none; without one there is nothing to maximise
# or to ask for a close, and the session's end (SIGTERM) closes the game instead.
set -eu
name=smoke
. "$(dirname "$0")/common.sh"

if [ "${1:-}" != "--inside" ]; then
  game=${1:?usage: smoke.sh <game folder>}
  if ! command -v Xvfb >/dev/null 2>&1; then
    echo "smoke: Xvfb is not installed; skipped"
    exit 77
  fi
  for tool in xdotool wmctrl xwininfo xprop import convert ${SMOKE_WM:-openbox}; do
    [ "$tool" = none ] && continue
    command -v "$tool" >/dev/null 2>&1 || { echo "smoke: FAIL: $tool is not installed"; exit 1; }
  done
  work=$(mktemp -d)
  xvfb=
  trap '[ -n "$xvfb" ] && kill "$xvfb" 2>/dev/null; rm -rf "$work"' EXIT INT TERM
  cp -R "$game" "$work/game"
  rm -f "$work/game/sys/lstphoto.dat"
  start_xvfb "$work" "${SMOKE_SCREEN:-1920x1080}"
  # No sound device: the game must start and end in silence all the same.
  DISPLAY=:$(cat "$work/display") sh "$0" --inside "$work"
  exit $?
fi

work=$2
game="$work/game"

wm_name=${SMOKE_WM:-openbox}
case $wm_name in
  openbox) openbox --sm-disable >"$work/wm.log" 2>&1 & ;;
  icewm) icewm >"$work/wm.log" 2>&1 & ;;
  none) ;;
  *) fail "unknown window manager $wm_name" ;;
esac
wm=
if [ "$wm_name" != none ]; then
  wm=$!
  # Generous limits: the machine may be busy building while the tests run.
  poll 300 sh -c 'xprop -root _NET_SUPPORTING_WM_CHECK | grep -q "window id"' ||
    fail "$wm_name did not take the screen within 30 s"
fi

# An installed program and the folder it plays may be named instead (install.sh).
game=${SMOKE_GAME:-$game}
# Choices of its own, never the tester's: Ctrl skips everything, so it runs through
# an opening no one has read before.
mkdir -p "$work/config/hibi"
printf '[General]\nskipEverything=true\n' >"$work/config/hibi/hibi.conf"
XDG_CONFIG_HOME="$work/config" XDG_DATA_HOME="${SMOKE_DATA_HOME:-$work/data}" "${SMOKE_PROGRAM:-$game/hibi}" >"$work/hibi.log" 2>&1 &
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

# The frame's outer rectangle "width height left top", from the window manager's extents.
outer() {
  set -- $(xprop -id "$wid" _NET_FRAME_EXTENTS | sed 's/.*= //; s/,//g; s/.*not found.*/0 0 0 0/')
  xwininfo -id "$wid" | awk -v l="$1" -v r="$2" -v t="$3" -v b="$4" '
    /Absolute upper-left X/ {x = $NF} /Absolute upper-left Y/ {y = $NF}
    /Width/ {w = $NF} /Height/ {h = $NF} END {print w + l + r, h + t + b, x - l, y - t}'
}
inner() { xwininfo -id "$wid" | awk '/Absolute upper-left X/ {x = $NF} /Absolute upper-left Y/ {y = $NF}
  /Width/ {w = $NF} /Height/ {h = $NF} END {print w, h, x, y}'; }
set -- $(xwininfo -root | awk '/Width/ {w = $NF} /Height/ {h = $NF} END {print w, h}')
sw=$1 sh=$2
# The usable screen "left top width height": the work area, panels left out.
set -- $(xprop -root _NET_WORKAREA 2>/dev/null | sed 's/.*= //; s/,//g; s/.*not found.*//') 0 0 "$sw" "$sh"
ux=$1 uy=$2 uw=$3 uh=$4
near() { [ $(($1 > $2 ? $1 - $2 : $2 - $1)) -le "${3:-3}" ]; }
# 8:6 within a pixel or two of rounding, and centred on the usable screen within 3 px.
shaped() { set -- $(outer); near $(($1 * 3)) $(($2 * 4)) 8; }
centred() { set -- $(outer); near "$3" $((ux + (uw - $1) / 2)) && near "$4" $((uy + (uh - $2) / 2)); }
# Frame and all inside the usable screen.
whole() { set -- $(outer); [ "$3" -ge "$ux" ] && [ "$4" -ge "$uy" ] &&
  [ $(($3 + $1)) -le $((ux + uw)) ] && [ $(($4 + $2)) -le $((uy + uh)) ]; }
is_at() { [ "$(outer)" = "$1" ]; }
# Holds $1 for two seconds: nothing may undo what the player did.
kept() { sleep 2; [ "$(outer)" = "$1" ] || fail "$2 was undone: $1 became $(outer)"; }
maximised() { wmctrl -i -r "$wid" -b "$1,maximized_vert,maximized_horz"; }

[ -z "$wm" ] || xprop -id "$wid" _NET_FRAME_EXTENTS | grep -q '= [0-9]' ||
  fail "$wm_name reports no frame"
poll 50 shaped || fail "not 8:6 at start, frame included: $(outer)"
poll 50 centred || fail "not centred at start: $(outer) on ${uw}x$uh at $ux,$uy"
echo "smoke: $wm_name: start $(outer) (outer w h left top) on ${sw}x$sh"

# A program asks for the whole width: the largest 8:6 window that fits, title bar on screen.
xdotool windowsize "$wid" "$sw" $((sh - 80))
widest=$((uh * 4 / 3 < uw ? uh * 4 / 3 : uw))
poll 50 sh -c "set -- \$(xwininfo -id $wid | awk '/Width/ {print \$NF}'); [ \$1 -gt $((widest - 60)) ]" ||
  fail "the request to widen did not happen: $(outer)"
poll 50 whole || fail "wider than the usable screen: $(outer) on ${uw}x$uh at $ux,$uy"
poll 50 shaped || fail "not 8:6 after a request to widen: $(outer)"
echo "smoke: asked for ${sw}x$((sh - 80)), got $(outer)"

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

if [ -n "$wm" ]; then
maximised add
poll 50 sh -c "xprop -id $wid _NET_WM_STATE | grep -q MAXIMIZED_VERT" || fail "the maximise did not happen"
poll 50 sh -c "set -- \$(xwininfo -id $wid | awk '/Width/ {print \$NF}'); [ \$1 -ge $((uw - 12)) ]" ||
  fail "the maximise did not happen: $(outer)"
max=$(outer)
kept "$max" "a maximise"
xprop -id "$wid" _NET_WM_STATE | grep -q MAXIMIZED_VERT || fail "the maximised state was dropped"
# The day-limit box: its "10" must keep a clear row above and below (fonts from
# the real height); the box is 25 px high at the top-left corner of the game, drawn
# 8:6 in the middle of the maximised window with bars beside or above it.
xdotool key a
sleep 1
set -- $(inner)
if [ $(($1 * 3)) -gt $(($2 * 4)) ]; then
  set -- "$@" $((($1 - $2 * 4 / 3) / 2)) 0
else
  set -- "$@" 0 $((($2 - $1 * 3 / 4) / 2))
fi
import -silent -window root "$work/max.png"
set -- $(convert "$work/max.png" -crop "91x23+$(($3 + $5 + 3))+$(($4 + $6 + 1))" +repage -colorspace gray \
  -threshold 40% -negate -trim -format '%h %Y' info:)
[ "$1" -ge 8 ] && [ "$2" -gt 0 ] && [ $(($1 + $2)) -lt 23 ] ||
  fail "the day limit is clipped or missing when maximised (text $1 px high at row $2)"
echo "smoke: maximised and kept; the day limit is $1 px high with room round it"
xdotool key a
maximised remove
poll 50 is_at "$resized" || fail "the restore did not bring back $resized: $(outer)"
fi

# F11: the whole screen, with or without a window manager to do it, the game 8:6
# between black bars; F11 again gives back the size and place from before.
before=$(outer)
set -- $(inner)
xdotool mousemove $(($3 + $1 / 2)) $(($4 + $2 / 2))
xdotool windowfocus "$wid" key F11
covers() { [ "$(inner)" = "$sw $sh 0 0" ]; }
poll 50 covers || fail "F11 did not fill the ${sw}x$sh screen: $(inner) (inner w h left top)"
pixel() { convert "$work/full.png" -format "%[fx:int(255*r)],%[fx:int(255*g)],%[fx:int(255*b)]" -crop "1x1+$1+$2" info:; }
# The bars are beside the game on a screen wider than 8:6, above and below it on a narrower one.
if [ $((sw * 3)) -gt $((sh * 4)) ]; then bar="2 $((sh / 2))"; else bar="$((sw / 2)) 2"; fi
barred() { import -silent -window root "$work/full.png" && [ "$(pixel $bar)" = 0,0,0 ] &&
  [ "$(pixel $((sw / 2)) $((sh / 2)))" != 0,0,0 ]; }
poll 50 barred || fail "full screen is not drawn 8:6 between black bars"
xdotool key F11
poll 50 is_at "$before" || fail "F11 again did not give back $before: $(outer)"
echo "smoke: F11 filled the screen with bars and gave back $before"

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
# Ask the window manager to close the window; it sends WM_DELETE_WINDOW. Without
# one, the session ends.
if [ -n "$wm" ]; then wmctrl -i -c "$wid"; else kill -TERM "$hibi"; fi
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
[ -z "$wm" ] || kill "$wm" 2>/dev/null || true

if [ "$status" -ne 0 ]; then
  cat "$work/hibi.log"
  fail "exit status $status"
fi
[ -f "$game/sys/lstphoto.dat" ] || fail "sys/lstphoto.dat was not written"
echo "smoke: closed with status 0, lstphoto.dat written ($(wc -c <"$game/sys/lstphoto.dat") bytes)"
