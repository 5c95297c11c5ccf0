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
for f in bin/hibi bin/hibi-check share/hibi/sample/sys/sys.dat share/hibi/sample.version \
  share/applications/org.example.hibi.desktop share/metainfo/org.example.hibi.metainfo.xml \
  share/man/man6/hibi.6.gz share/man/man1/hibi-check.1.gz; do
  [ -f "$work/prefix/$f" ] || { echo "install: FAIL: $f not installed"; exit 1; }
done
for size in 16 32 48 64 128 256 512; do
  icon="$work/prefix/share/icons/hicolor/${size}x${size}/apps/hibi.png"
  # A PNG's width and height are the big-endian words at bytes 16 and 20.
  [ "$(od -An -tu1 -j16 -N8 "$icon" 2>/dev/null | awk '{print $3 * 256 + $4, $7 * 256 + $8}')" = \
    "$size $size" ] || { echo "install: FAIL: $icon is not $size x $size"; exit 1; }
done
"$work/prefix/bin/hibi" --version | grep -q '^hibi ' || { echo "install: FAIL: --version"; exit 1; }
"$work/prefix/bin/hibi-check" --version | grep -q '^hibi-check ' ||
  { echo "install: FAIL: hibi-check --version"; exit 1; }
for word in F11 'Page Up' hibi.conf; do
  zcat "$work/prefix/share/man/man6/hibi.6.gz" | grep -q "$word" || { echo "install: FAIL: hibi(6) lacks $word"; exit 1; }
done
zcat "$work/prefix/share/man/man1/hibi-check.1.gz" | grep -q 'simulate' ||
  { echo "install: FAIL: hibi-check(1) lacks --simulate"; exit 1; }
if command -v desktop-file-validate >/dev/null 2>&1; then
  desktop-file-validate "$work/prefix/share/applications/org.example.hibi.desktop"
fi
# The software-centre entry with the desktop entry it names, as the archives read them.
appstreamcli validate-tree --no-net "$work/prefix" || { echo "install: FAIL: appstream"; exit 1; }
chmod -R a-w "$work/prefix"
mkdir "$work/home"
status=0
HOME="$work/home" XDG_DATA_HOME="$work/home/data" SMOKE_DATA_HOME="$work/home/data" SMOKE_PROGRAM="$work/prefix/bin/hibi" \
  SMOKE_GAME="$work/home/data/hibi/sample" sh "$here/smoke.sh" "$work/prefix/share/hibi/sample" ||
  status=$?
chmod -R u+w "$work/prefix"
[ "$status" -eq 0 ] || exit "$status"
cmp "$work/prefix/share/hibi/sample/txt/opn.txt" "$work/home/data/hibi/sample/txt/opn.txt"
echo "install: the sample played from $work/home/data/hibi/sample"
