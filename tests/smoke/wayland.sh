#!/bin/sh
# wayland.sh <game folder>: the real hibi on native Wayland, on a headless weston of
# its own: the game starts, its window (Qt's decorations and all) is 8:6 on the
# compositor's screen, and the session's end (SIGTERM) closes it with status 0 and
# sys/lstphoto.dat written. The screen is read back with weston's screenshooter
# against a black desktop with no panel. Skipped (status 77) without weston or Qt's
# Wayland platform.
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
weston --config="$work/weston.ini" --backend=headless-backend.so --use-pixman --debug \
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

kill -TERM "$hibi"
status=0
wait "$hibi" || status=$?
hibi=
[ "$status" -eq 0 ] || { cat "$work/hibi.log"; fail "exit status $status"; }
[ -f "$work/game/sys/lstphoto.dat" ] || fail "sys/lstphoto.dat was not written"
echo "wayland: closed with status 0, lstphoto.dat written"
