#!/bin/bash
# Turns the story sources (UTF-8, LF, easy to edit) into what the game reads:
# code page 932 with CR LF, in sample/txt, plus the settings file sample/sys/sys.dat.
# Run it after every edit and commit both sides.
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
txt="$here/../sample/txt"
sys="$here/../sample/sys"
mkdir -p "$txt" "$sys"

to_game_text() {  # $1 UTF-8 source, $2 target
  # iconv stops at any character CP932 cannot hold, so a stray emoji fails the build
  # instead of reaching a player as a question mark.
  sed 's/\r$//; s/$/\r/' "$1" | iconv -f UTF-8 -t CP932 >"$2.tmp"
  # Read it back the way the game does; anything lost on the way is a build error.
  if ! iconv -f CP932 -t UTF-8 "$2.tmp" | tr -d '\r' | cmp -s - <(sed 's/\r$//' "$1"); then
    echo "$1: does not survive code page 932" >&2
    rm -f "$2.tmp"
    exit 1
  fi
  mv "$2.tmp" "$2"
}

for src in "$here"/*.txt; do
  to_game_text "$src" "$txt/$(basename "$src")"
done
to_game_text "$here/sys.dat" "$sys/sys.dat"
echo "built $(ls "$here"/*.txt | wc -l) scenes and sys.dat"
