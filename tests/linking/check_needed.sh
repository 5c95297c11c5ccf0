#!/bin/sh
# check_needed.sh <readelf> <program>: fails if the program names libfluidsynth among the
# libraries the loader must find before main(); it must also name Qt, so that an empty
# answer (a readelf that read nothing) cannot pass.
set -eu
readelf=${1:?usage: check_needed.sh <readelf> <program>}
program=${2:?usage: check_needed.sh <readelf> <program>}
needed=$("$readelf" -d "$program" | grep '(NEEDED)')
echo "$needed"
echo "$needed" | grep -q 'libQt6Widgets' || { echo "linking: readelf listed no Qt; nothing was checked"; exit 1; }
if echo "$needed" | grep -q 'libfluidsynth'; then
  echo "linking: $program needs libfluidsynth at start; it must only load it at run time"
  exit 1
fi
