#!/bin/sh
# check_format.sh <clang-format> <source folder>: names every tracked C++ file that
# clang-format would change, and fails if there is one. Files git does not know (a
# build tree, a scratch file) are not the project's and are left alone.
set -eu
format=${1:?usage: check_format.sh <clang-format> <source folder>}
top=${2:?usage: check_format.sh <clang-format> <source folder>}
cd "$top"
if git rev-parse --is-inside-work-tree >/dev/null 2>&1; then
  files=$(git ls-files -- '*.cpp' '*.h')
else
  files=$(find src tests tools bench -name '*.cpp' -o -name '*.h')
fi
[ -n "$files" ] || { echo "format: no C++ files found under $top"; exit 1; }
# shellcheck disable=SC2086
"$format" --style=file --dry-run -Werror $files
echo "format: $(echo "$files" | wc -l) files as clang-format writes them"
