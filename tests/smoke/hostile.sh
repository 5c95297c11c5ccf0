#!/bin/sh
# hostile.sh <game folder>: a downloaded game whose links lead out of its folder is
# played, saved and closed in a private Xvfb with openbox, and the files outside are
# then compared byte for byte. sys/lstphoto.dat leads to a shell's start-up file,
# sys/all.dat to a desktop autostart file that does not exist yet, txt/00.txt to a
# file outside and bgm.mid to /dev/zero. The game must start, refuse every one of them
# with its boxes, end with status 0, and leave the outside as it was.
set -eu
name=hostile
. "$(dirname "$0")/common.sh"

if [ "${1:-}" != "--inside" ]; then
  game=${1:?usage: hostile.sh <game folder>}
  command -v Xvfb >/dev/null 2>&1 || { echo "hostile: Xvfb is not installed; skipped"; exit 77; }
  for tool in xdotool wmctrl openbox xprop; do
    command -v "$tool" >/dev/null 2>&1 || { echo "hostile: FAIL: $tool is not installed"; exit 1; }
  done
  work=$(mktemp -d)
  xvfb=
  trap '[ -n "$xvfb" ] && kill "$xvfb" 2>/dev/null; rm -rf "$work"' EXIT INT TERM
  mkdir -p "$work/home/.config/autostart" "$work/dl"
  cp -R "$game" "$work/dl/game"
  printf 'alias ls="ls --color"\n' >"$work/home/.bashrc"
  printf 'PATH=$HOME/bin:$PATH\n' >"$work/home/.profile"
  cp "$work/home/.bashrc" "$work/home/.profile" "$work/"
  g="$work/dl/game"
  rm -f "$g/sys/lstphoto.dat" "$g/sys/all.dat" "$g/txt/00.txt" "$g/bgm.mid"
  ln -s ../../../home/.bashrc "$g/sys/lstphoto.dat"
  ln -s "$work/home/.config/autostart/evil.desktop" "$g/sys/all.dat"
  ln -s ../../../home/.profile "$g/txt/00.txt"
  ln -s /dev/zero "$g/bgm.mid"
  start_xvfb "$work" 1280x1024
  DISPLAY=:$(cat "$work/display") sh "$0" --inside "$work"
  exit $?
fi

work=$2
g="$work/dl/game"
windows() { xdotool search --onlyvisible --pid "$hibi" 2>/dev/null | wc -l; }
# Waits for a box (a second window) and answers it with Return.
answer_box() {
  poll 100 sh -c "[ \$(xdotool search --onlyvisible --pid $hibi | wc -l) -ge 2 ]" ||
    fail "no box for $1"
  sleep 0.5
  xdotool key Return
  poll 50 sh -c "[ \$(xdotool search --onlyvisible --pid $hibi | wc -l) -le 1 ]" ||
    fail "the box for $1 stayed"
}

openbox --sm-disable >"$work/openbox.log" 2>&1 &
wm=$!
poll 300 sh -c 'xprop -root _NET_SUPPORTING_WM_CHECK | grep -q "window id"' ||
  fail "openbox did not take the screen within 30 s"

# Choices and read lines of its own, never the tester's: Ctrl skips everything, so it
# runs through an opening no one has read before.
mkdir -p "$work/config/hibi" "$work/data"
printf '[General]\nskipEverything=true\n' >"$work/config/hibi/hibi.conf"
XDG_CONFIG_HOME="$work/config" XDG_DATA_HOME="$work/data" "$g/hibi" >"$work/hibi.log" 2>&1 &
hibi=$!
poll 300 sh -c "xdotool search --onlyvisible --pid $hibi | grep -q ." ||
  fail "no window within 30 s with bgm.mid a link to /dev/zero"
wid=$(xdotool search --onlyvisible --pid "$hibi" | head -n 1)
rss=$(awk '/VmRSS/ {print $2}' "/proc/$hibi/status")
echo "hostile: window up, $((rss / 1024)) MB resident"
[ "$rss" -lt 204800 ] || fail "$((rss / 1024)) MB resident"

# Title, then fast-forward to the command panel, then メニュー and SAVE.
eval "$(xdotool getwindowgeometry --shell "$wid")"
xdotool mousemove $((X + WIDTH / 2)) $((Y + HEIGHT / 2)) click 1
sleep 1
xdotool keydown ctrl
sleep 3
xdotool keyup ctrl
xdotool mousemove $((X + WIDTH * 735 / 820)) $((Y + HEIGHT * (600 * 21 / 22 + 10) / 620)) click 1
poll 50 sh -c "[ \$(xdotool search --onlyvisible --pid $hibi | wc -l) -ge 2 ]" ||
  fail "the pop-up menu did not open"
xdotool key Down Return
answer_box "the save through a dangling link"
wmctrl -i -c "$wid"
answer_box "the memory list through a link outside"
gone() { [ ! -e "/proc/$hibi" ] || grep -q ') Z' "/proc/$hibi/stat"; }
poll 100 gone || fail "the game did not end within 10 s"
status=0
wait "$hibi" || status=$?
kill "$wm" 2>/dev/null || true
[ "$status" -eq 0 ] || { cat "$work/hibi.log"; fail "exit status $status"; }

cmp "$work/.bashrc" "$work/home/.bashrc" || fail ".bashrc changed through sys/lstphoto.dat"
cmp "$work/.profile" "$work/home/.profile" || fail ".profile changed"
[ -z "$(ls -A "$work/home/.config/autostart")" ] || fail "a file appeared through sys/all.dat"
echo "hostile: saved and closed; every file outside as it was"
