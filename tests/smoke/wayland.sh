#!/bin/sh
# wayland.sh <game folder>: the real hibi on native Wayland, on a headless weston of
# its own: the game starts, its window (Qt's decorations and all) is 8:6 on the
# compositor's screen, and the session's end (SIGTERM) closes it with status 0 and
# sys/lstphoto.dat written. Then through Xwayland, a program's request to widen is
# answered with the largest 8:6 window that fits. The screen is read back with
# weston's screenshooter against a black desktop with no panel. Skipped (status 77)
# without weston or Qt's Wayland platform.
set -eu
game=${1:?usage: wayland.sh <game folder>}
command -v weston >/dev/null 2>&1 && command -v weston-screenshooter >/dev/null 2>&1 ||
  { echo "wayland: weston is not installed; skipped"; exit 77; }
plugins=$(qtpaths6 --query QT_INSTALL_PLUGINS 2>/dev/null || echo /usr/lib/x86_64-linux-gnu/qt6/plugins)
ls "$plugins"/platforms/libqwayland*.so >/dev/null 2>&1 ||
  { echo "wayland: Qt's Wayland platform is not installed; skipped"; exit 77; }
for tool in convert identify; do
  command -v "$tool" >/dev/null 2>&1 || { echo "wayland: FAIL: $tool is not installed"; exit 1; }
done

work=$(mktemp -d)
weston= hibi=
trap '[ -n "$hibi" ] && kill "$hibi" 2>/dev/null; [ -n "$weston" ] && kill "$weston" 2>/dev/null; rm -rf "$work"' EXIT INT TERM
fail() { echo "wayland: FAIL: $*"; exit 1; }
# Waits up to $1 seconds for the command after it to succeed.
poll() {
  deadline=$(($(date +%s) + $1))
  shift
  while ! "$@" >/dev/null 2>&1; do
    [ "$(date +%s)" -lt "$deadline" ] || return 1
    sleep 0.1
  done
}
cp -R "$game" "$work/game"
rm -f "$work/game/sys/lstphoto.dat"
mkdir -m 700 "$work/run"
printf '[core]\nidle-time=0\n[shell]\npanel-position=none\nbackground-color=0xff000000\n' >"$work/weston.ini"
export XDG_RUNTIME_DIR="$work/run" WAYLAND_DISPLAY=hibi-smoke-$$
xwayland=
command -v Xwayland >/dev/null 2>&1 && command -v xdotool >/dev/null 2>&1 && xwayland=--xwayland
weston --config="$work/weston.ini" --backend=headless-backend.so --use-pixman --debug $xwayland \
  --socket="$WAYLAND_DISPLAY" --width=1920 --height=1080 >"$work/weston.log" 2>&1 &
weston=$!
poll 30 test -S "$XDG_RUNTIME_DIR/$WAYLAND_DISPLAY" || fail "weston did not start within 30 s"

XDG_CONFIG_HOME="$work/config" XDG_DATA_HOME="$work/data" QT_QPA_PLATFORM=wayland "$work/game/hibi" >"$work/hibi.log" 2>&1 &
hibi=$!
# The window's outer size "width height": the screen read back, the black desktop trimmed.
outer() {
  (cd "$work" && rm -f wayland-screenshot*.png && weston-screenshooter) >/dev/null 2>&1 &&
    convert "$work"/wayland-screenshot*.png -fuzz 3% -trim -format '%w %h' info:
}
# 8:6 within a few pixels of rounding, and larger than a window that is still opening.
shaped() { set -- $(outer); [ "$1" -gt 600 ] && [ $(($1 * 3 - $2 * 4)) -le 8 ] && [ $(($2 * 4 - $1 * 3)) -le 8 ]; }
poll 30 shaped || fail "the window is not 8:6, decorations included: $(outer)"
echo "wayland: opened $(outer) (outer w h)"

# The session's end (SIGTERM) closes the game like a player's close: status 0.
end_session() {
  kill -TERM "$hibi"
  status=0
  wait "$hibi" || status=$?
  hibi=
  [ "$status" -eq 0 ] || { cat "$work/hibi.log"; fail "exit status $status$1"; }
}
end_session ""
[ -f "$work/game/sys/lstphoto.dat" ] || fail "sys/lstphoto.dat was not written"
echo "wayland: closed with status 0, lstphoto.dat written"

[ -n "$xwayland" ] || { echo "wayland: Xwayland or xdotool is not installed; X11 on weston not tried"; exit 0; }
# The same game through Xwayland, in weston's frame (shadow and all, no frame extents
# said): a program asks for 1920x1000; that is no maximise, and the game answers it
# with the largest 8:6 window whose frame fits the screen.
export DISPLAY
DISPLAY=$(sed -n 's/.*xserver listening on display \(:[0-9]*\).*/\1/p' "$work/weston.log" | head -n 1)
[ -n "$DISPLAY" ] || fail "weston started no X server"
rm -f "$work/game/sys/lstphoto.dat"
XDG_CONFIG_HOME="$work/config" XDG_DATA_HOME="$work/data" QT_QPA_PLATFORM=xcb "$work/game/hibi" >"$work/hibi.log" 2>&1 &
hibi=$!
poll 30 sh -c "xdotool search --onlyvisible --pid $hibi | grep -q ." || fail "no X11 window within 30 s"
wid=$(xdotool search --onlyvisible --pid "$hibi" | head -n 1)
# The frame's "width height left top".
framed() { xwininfo -id "$(xwininfo -tree -id "$wid" | awk '/Parent window id/ {print $4}')" | awk '/Absolute upper-left X/ {x = $NF} /Absolute upper-left Y/ {y = $NF}
  /Width/ {w = $NF} /Height/ {h = $NF} END {print w, h, x, y}'; }
# 8:6, no larger than the screen, and wider than $1. Where it stands is weston's: it
# does not move an X11 window when asked.
settled() { set -- $(framed) "$1"; [ "$1" -gt "$5" ] && [ $(($1 * 3 - $2 * 4)) -le 8 ] &&
  [ $(($2 * 4 - $1 * 3)) -le 8 ] && [ "$1" -le 1920 ] && [ "$2" -le 1080 ]; }
poll 30 settled 600 || fail "the X11 window opened with its frame at $(framed), not 8:6 within the screen"
# Each size asked for is answered with the height for its width, the frame counted:
# weston sizes its frame after the window, and a stale one must not be counted.
for size in "1000 700" "1200 800" "900 800" "1100 700"; do
  set -- $size
  xdotool windowsize "$wid" "$1" "$2"
  poll 30 settled "$1" || fail "asked for $1x$2 under Xwayland, the frame is $(framed), not 8:6"
done
xdotool windowsize "$wid" 1920 1000
poll 30 settled 1300 || fail "asked for 1920x1000 under Xwayland, the frame is $(framed), not 8:6 within the screen"
echo "wayland: Xwayland: asked for 1920x1000, the frame is $(framed) (w h left top)"
end_session " under Xwayland"
