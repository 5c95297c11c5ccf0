#!/bin/sh
# check_layers.sh <src folder>: every #include "folder/…" in src/ points to the same
# layer or one below it. The build already refuses most such includes (each layer sees
# only its own include root and those it links); this also catches one that would
# only slip through a header that is never compiled on its own.
set -eu
src=${1:?usage: check_layers.sh <src folder>}

rank() {
  case $1 in
    storage | script | layout | audio) echo 1 ;;
    game) echo 2 ;;
    qt | fluidsynth) echo 3 ;;
    *) echo 0 ;;
  esac
}

bad=0
for dir in "$src"/*/; do
  layer=$(basename "$dir")
  own=$(rank "$layer")
  [ "$own" -gt 0 ] || { echo "layers: $layer is not a known layer"; bad=1; continue; }
  # Lines of the form: path:#include "folder/file.h"
  grep -n -E '^[[:space:]]*#[[:space:]]*include[[:space:]]+"[a-z_]+/' "$dir"* 2>/dev/null |
    while IFS= read -r line; do
      target=$(printf '%s\n' "$line" | sed -E 's/.*include[[:space:]]+"([a-z_]+)\/.*/\1/')
      [ "$target" = "$layer" ] && continue
      there=$(rank "$target")
      # Layers of one rank never include each other either: storage, script, layout and
      # audio stand side by side under game, and so do the two adapters.
      if [ "$there" -eq 0 ] || [ "$there" -ge "$own" ]; then
        echo "layers: $line runs from $layer to $target"
        echo x
      fi
    done >"${TMPDIR:-/tmp}/layers.$$"
  if grep -q '^x$' "${TMPDIR:-/tmp}/layers.$$"; then
    grep -v '^x$' "${TMPDIR:-/tmp}/layers.$$"
    bad=1
  fi
  rm -f "${TMPDIR:-/tmp}/layers.$$"
done
[ "$bad" -eq 0 ] && echo "layers: every include of $src runs down or stays in its layer"
exit "$bad"
