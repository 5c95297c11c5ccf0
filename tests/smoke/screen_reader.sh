#!/bin/sh
# screen_reader.sh <game folder> <opening script>: the sample game through AT-SPI, as
# a screen reader sees it, played with the keyboard alone (screen_reader.py), on a
# private Xvfb with openbox and a private session bus with its accessibility bus.
set -eu
name="screen reader"
. "$(dirname "$0")/common.sh"

if [ "${1:-}" != "--inside" ]; then
  game=${1:?usage: screen_reader.sh <game folder> <opening script>}
  opening=${2:?usage: screen_reader.sh <game folder> <opening script>}
  for tool in Xvfb dbus-run-session openbox xdotool xprop; do
    command -v "$tool" >/dev/null 2>&1 || { echo "screen reader: $tool is not installed; skipped"; exit 77; }
  done
  [ -x /usr/libexec/at-spi-bus-launcher ] || { echo "screen reader: at-spi2-core is not installed; skipped"; exit 77; }
  /usr/bin/python3 -c 'import gi; gi.require_version("Atspi", "2.0")' 2>/dev/null ||
    { echo "screen reader: gir1.2-atspi-2.0 is not installed; skipped"; exit 77; }
  work=$(mktemp -d)
  xvfb=
  trap '[ -n "$xvfb" ] && kill "$xvfb" 2>/dev/null; rm -rf "$work"' EXIT INT TERM
  cp -R "$game" "$work/game"
  rm -f "$work/game/sys/lstphoto.dat"
  start_xvfb "$work" 1280x1024
  DISPLAY=:$(cat "$work/display") HOME="$work" XDG_CONFIG_HOME="$work/config" \
    dbus-run-session -- sh "$0" --inside "$work" "$opening"
  exit $?
fi

work=$2
opening=$3
openbox --sm-disable >"$work/openbox.log" 2>&1 &
wm=$!
/usr/libexec/at-spi-bus-launcher --launch-immediately >"$work/atspi.log" 2>&1 &
bus=$!
tries=300
until xprop -root _NET_SUPPORTING_WM_CHECK 2>/dev/null | grep -q "window id"; do
  tries=$((tries - 1))
  if [ "$tries" -le 0 ]; then
    echo "screen reader: FAIL: openbox did not start"
    cat "$work/openbox.log"
    kill "$wm" "$bus" 2>/dev/null
    exit 1
  fi
  sleep 0.1
done
# Qt asks the session whether assistive technology is on; here it always is.
QT_LINUX_ACCESSIBILITY_ALWAYS_ON=1 "$work/game/hibi" >"$work/hibi.log" 2>&1 &
hibi=$!
status=0
/usr/bin/python3 "$(dirname "$0")/screen_reader.py" "$hibi" "$opening" || status=$?
kill "$hibi" "$wm" "$bus" 2>/dev/null || true
wait "$hibi" 2>/dev/null || true
exit "$status"
