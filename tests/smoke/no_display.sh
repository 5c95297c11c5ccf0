#!/bin/sh
# no_display.sh <hibi> <game folder>: started with no display to open its window on
# (none named, or one that does not answer), hibi says so in one line and ends with
# status 1, instead of Qt's page about plugins and an abort.
set -eu
hibi=${1:?usage: no_display.sh <hibi> <game folder>}
game=${2:?usage: no_display.sh <hibi> <game folder>}
err=$(mktemp)
trap 'rm -f "$err"' EXIT INT TERM
for display in "" ":4093"; do
  status=0
  if [ -z "$display" ]; then
    env -u DISPLAY -u WAYLAND_DISPLAY -u QT_QPA_PLATFORM "$hibi" "$game" 2>"$err" || status=$?
  else
    env -u WAYLAND_DISPLAY -u QT_QPA_PLATFORM DISPLAY="$display" "$hibi" "$game" 2>"$err" ||
      status=$?
  fi
  lines=$(wc -l <"$err")
  if [ "$status" -ne 1 ] || [ "$lines" -ne 1 ] || ! grep -q 'no display' "$err"; then
    echo "no_display: FAIL with DISPLAY='$display': status $status, $lines lines:"
    cat "$err"
    exit 1
  fi
done
echo "no_display: one line and status 1"
