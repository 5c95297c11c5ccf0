#!/bin/sh
# install.sh <build folder>: installs hibi into a temporary prefix and plays the
# installed program with a temporary home, as a player who just installed it: it
# must play the sample from its own copy in $XDG_DATA_HOME and write nothing else.
set -eu
build=${1:?usage: install.sh <build folder>}
here=$(dirname "$0")
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT INT TERM
cmake --install "$build" --prefix "$work/prefix" >/dev/null
for f in bin/hibi bin/hibi-check share/hibi/sample/sys/sys.dat share/applications/hibi.desktop \
  share/icons/hicolor/256x256/apps/hibi.png share/man/man6/hibi.6.gz share/man/man1/hibi-check.1.gz; do
  [ -f "$work/prefix/$f" ] || { echo "install: FAIL: $f not installed"; exit 1; }
done
"$work/prefix/bin/hibi" --version | grep -q '^hibi ' || { echo "install: FAIL: --version"; exit 1; }
if command -v desktop-file-validate >/dev/null 2>&1; then
  desktop-file-validate "$work/prefix/share/applications/hibi.desktop"
fi
chmod -R a-w "$work/prefix"
mkdir "$work/home"
status=0
HOME="$work/home" XDG_DATA_HOME="$work/home/data" SMOKE_PROGRAM="$work/prefix/bin/hibi" \
  SMOKE_GAME="$work/home/data/hibi/sample" sh "$here/smoke.sh" "$work/prefix/share/hibi/sample" ||
  status=$?
chmod -R u+w "$work/prefix"
[ "$status" -eq 0 ] || exit "$status"
cmp "$work/prefix/share/hibi/sample/txt/opn.txt" "$work/home/data/hibi/sample/txt/opn.txt"
echo "install: the sample played from $work/home/data/hibi/sample"
