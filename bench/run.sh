#!/bin/bash
# The performance benchmark: the game beside a bare Qt window of the same size,
# under Xvfb with openbox, RUNS rounds (default 5), medians with min-max.
#
# usage: bench/run.sh [build folder]     (default: build; make bench builds it first)
# Needs: Xvfb, openbox, xdotool. Prints a table; the raw numbers stay in $KEEP if set.
# Idle CPU is measured with the game and the bare window running side by side over
# the same seconds, so other work on the machine weighs on both alike.
set -u
ROOT=$(cd "$(dirname "$0")/.." && pwd)
BUILD=$(cd "${1:-$ROOT/build}" && pwd)
RUNS=${RUNS:-5}
TOOLS=$BUILD/bench
GAME=$BUILD/game
WORK=$(mktemp -d /tmp/hibi-bench.XXXXXX)
RAW=$WORK/raw
mkdir -p "$RAW"

for tool in hibi_bench_probe hibi_bench_bare_window hibi_bench_games hibi_bench_interpreter \
    hibi_bench_resize hibi_bench_names; do
  [ -x "$TOOLS/$tool" ] || { echo "missing $TOOLS/$tool: build hibi_bench_tools first" >&2; exit 1; }
done
for program in Xvfb openbox xdotool; do
  command -v $program >/dev/null || { echo "missing $program" >&2; exit 1; }
done

PIDS=()
cleanup() {
  for pid in "${PIDS[@]}"; do kill "$pid" 2>/dev/null; done
  wait 2>/dev/null
  if [ -n "${KEEP:-}" ]; then mkdir -p "$KEEP" && cp -r "$RAW"/. "$KEEP"/; fi
  rm -rf "$WORK"
}
trap cleanup EXIT

# A display of our own.
for n in $(seq 90 140); do [ -e /tmp/.X11-unix/X$n ] || [ -e /tmp/.X$n-lock ] || break; done
export DISPLAY=:$n
Xvfb "$DISPLAY" -screen 0 1920x1080x24 -br -nolisten tcp >/dev/null 2>&1 &
PIDS+=($!)
for _ in $(seq 100); do xdotool getdisplaygeometry >/dev/null 2>&1 && break; sleep 0.05; done
openbox >/dev/null 2>&1 &
PIDS+=($!)
sleep 1
export XDG_RUNTIME_DIR=$WORK/runtime
mkdir -p -m 700 "$XDG_RUNTIME_DIR"

"$TOOLS/hibi_bench_games" "$GAME" "$WORK/games" || exit 1
BARE=$TOOLS/hibi_bench_bare_window
LBL="0.27,0.67,0.46,0.30"      # the message label's area in the window
PICCOM="0.81,0.05,0.17,0.90"   # the command panel's area

# Numbers on stdin -> "median min max" (and p95 with -p).
stats() {
  sort -g | awk -v p95="${1:-}" '{v[NR]=$1} END {
    if (NR == 0) { print "n/a n/a n/a"; exit }
    m = (NR % 2) ? v[(NR+1)/2] : (v[NR/2] + v[NR/2+1]) / 2
    i = int(0.95 * NR + 0.999); if (i < 1) i = 1; if (i > NR) i = NR
    if (p95 != "") printf "%.3g %.3g %.3g %.3g\n", m, v[1], v[NR], v[i]
    else printf "%.3g %.3g %.3g\n", m, v[1], v[NR] }'
}

window_of() {  # pid -> its visible window id
  for _ in $(seq 200); do
    local w
    w=$(xdotool search --onlyvisible --pid "$1" 2>/dev/null | head -1)
    [ -n "$w" ] && { echo "$w"; return; }
    sleep 0.02
  done
}

# CPU time in ns (all threads, from schedstat) and context switches of a process.
cpu_ns() { cat /proc/"$1"/task/*/schedstat 2>/dev/null | awk '{s+=$1} END {print s+0}'; }
switches() { cat /proc/"$1"/task/*/status 2>/dev/null | awk '/ctxt_switches/ {s+=$2} END {print s+0}'; }

# idle <seconds> <name> <pid> [<name> <pid>]: CPU % and wake-ups per second of
# one or two processes over the same interval, so both see the same machine load.
idle() {
  local seconds=$1 c0a s0a c0b s0b
  shift
  c0a=$(cpu_ns "$2"); s0a=$(switches "$2")
  if [ $# -ge 4 ]; then c0b=$(cpu_ns "$4"); s0b=$(switches "$4"); fi
  sleep "$seconds"
  record "$1" "$c0a" "$(cpu_ns "$2")" "$s0a" "$(switches "$2")" "$seconds"
  if [ $# -ge 4 ]; then record "$3" "$c0b" "$(cpu_ns "$4")" "$s0b" "$(switches "$4")" "$seconds"; fi
}
record() {
  echo "$2 $3 $6" | awk '{printf "%.4f\n", 100 * ($2 - $1) / ($3 * 1e9)}' >>"$RAW/$1.cpu"
  echo "$4 $5 $6" | awk '{printf "%.1f\n", ($2 - $1) / $3}' >>"$RAW/$1.wake"
}

memory() {  # appends VmRSS and VmHWM in MB
  awk '/VmRSS/ {print $2/1024}' /proc/"$P"/status >>"$RAW/$1.rss"
  awk '/VmHWM/ {print $2/1024}' /proc/"$P"/status >>"$RAW/$1.hwm"
}

launch() { "$@" >/dev/null 2>&1 & P=$!; PIDS+=($P); }
finish() { kill "$P" 2>/dev/null; wait "$P" 2>/dev/null; }

echo "load before: $(cut -d' ' -f1-3 /proc/loadavg)" >"$RAW/load"
for round in $(seq "$RUNS"); do
  echo "round $round of $RUNS" >&2
  # Cold start to the first drawn frame, alternating the two programs.
  "$TOOLS/hibi_bench_probe" start 10000 "$GAME/hibi" | awk '{print $2}' >>"$RAW/start_game"
  "$TOOLS/hibi_bench_probe" start 10000 "$BARE" | awk '{print $2}' >>"$RAW/start_bare"

  # Memory after 3 s, and idle CPU for 10 s at the title beside the bare window
  # with its 1 ms timer, both measured over the same 10 s.
  launch "$GAME/hibi"; G=$P
  launch "$BARE" --timer; T=$P
  sleep 3; P=$G; memory game
  idle 10 title "$G" bare_timer "$T"
  kill "$G" "$T" 2>/dev/null; wait "$G" "$T" 2>/dev/null
  launch "$BARE"; sleep 3; memory bare; idle 5 bare "$P"; finish

  # Idle on a waiting page (again beside the bare window), then clicks to the next page.
  launch "$WORK/games/ff/hibi"; G=$P; W=$(window_of "$P"); sleep 1
  xdotool mousemove --window "$W" 300 300 click 1
  "$TOOLS/hibi_bench_probe" stable "$W" "$LBL" 500 10000 >/dev/null
  launch "$BARE" --timer; T=$P; sleep 2
  idle 10 page "$G" bare_timer_page "$T"
  kill "$T" 2>/dev/null; wait "$T" 2>/dev/null; P=$G
  xdotool windowactivate --sync "$W" 2>/dev/null
  "$TOOLS/hibi_bench_probe" stable "$W" "$LBL" 300 3000 >/dev/null
  for _ in $(seq 10); do
    "$TOOLS/hibi_bench_probe" click "$W" 1 0.5 0.8 "$LBL" 2000 | awk '{print $2}' >>"$RAW/click"
    "$TOOLS/hibi_bench_probe" stable "$W" "$LBL" 400 5000 >/dev/null
  done
  finish

  # Fast-forward through the rest of the 5,000-line scene: the first page of 8
  # lines has been shown when the right click comes.
  launch "$WORK/games/ff/hibi"; W=$(window_of "$P"); sleep 1
  xdotool mousemove --window "$W" 300 300 click 1
  "$TOOLS/hibi_bench_probe" stable "$W" "$LBL" 500 10000 >/dev/null
  "$TOOLS/hibi_bench_probe" click "$W" 3 0.5 0.8 "$PICCOM" 60000 |
    awk '$2 != "timeout" {printf "%.1f\n", 4992 / ($2 / 1000)}' >>"$RAW/ff"
  finish
  "$BARE" --timer --count-ticks 5 2>/dev/null | awk '{print $2}' >>"$RAW/ticks"
done
echo "load after: $(cut -d' ' -f1-3 /proc/loadavg)" >>"$RAW/load"

"$TOOLS/hibi_bench_interpreter" "$RUNS" | awk '{print $2, $3, $4}' >"$RAW/interpreter"
"$TOOLS/hibi_bench_names" "$RUNS" >"$RAW/names"
QT_QPA_PLATFORM=offscreen "$TOOLS/hibi_bench_resize" "$WORK/games/big" 40 >"$RAW/resize" 2>/dev/null

# The table.
read -r sg sg0 sg1 < <(stats <"$RAW/start_game")
read -r sb sb0 sb1 < <(stats <"$RAW/start_bare")
read -r rg rg0 rg1 < <(stats <"$RAW/game.rss")
read -r hg hg0 hg1 < <(stats <"$RAW/game.hwm")
read -r rb rb0 rb1 < <(stats <"$RAW/bare.rss")
read -r ct ct0 ct1 < <(stats <"$RAW/title.cpu")
read -r cp cp0 cp1 < <(stats <"$RAW/page.cpu")
read -r cb cb0 cb1 < <(stats <"$RAW/bare.cpu")
read -r cbt cbt0 cbt1 < <(stats <"$RAW/bare_timer.cpu")
read -r wt wt0 wt1 < <(stats <"$RAW/title.wake")
read -r wp wp0 wp1 < <(stats <"$RAW/page.wake")
read -r wbt wbt0 wbt1 < <(stats <"$RAW/bare_timer.wake")
read -r cbp cbp0 cbp1 < <(stats <"$RAW/bare_timer_page.cpu")
read -r wbp wbp0 wbp1 < <(stats <"$RAW/bare_timer_page.wake")
read -r ck ck0 ck1 ck95 < <(stats -p <"$RAW/click")
read -r ff ff0 ff1 < <(stats <"$RAW/ff")
read -r tk tk0 tk1 < <(stats <"$RAW/ticks")
read -r ip ip0 ip1 <"$RAW/interpreter"
read -r _ rt rt0 rt1 < <(grep title "$RAW/resize")
read -r _ re re0 re1 < <(grep event "$RAW/resize")
read -r _ ne ne0 ne1 < <(grep exact "$RAW/names")
read -r _ nf nf0 nf1 < <(grep folded "$RAW/names")
read -r _ nr nr0 nr1 < <(grep relisted "$RAW/names")
ratio() { awk -v a="$1" -v b="$2" 'BEGIN {if (b > 0) printf "%.2f", a / b; else print "n/a"}'; }
ok() { awk "BEGIN {print ($1) ? \"met\" : \"MISSED\"}"; }

cat <<TABLE

hibi benchmark: $(nproc) cores, $(grep -m1 'model name' /proc/cpuinfo | cut -d: -f2 | sed 's/^ //'), Xvfb 1920x1080 + openbox, $RUNS rounds
$(cat "$RAW/load")

| figure | hibi: median (min-max) | bare Qt window | target | |
|---|---|---|---|---|
| cold start to title drawn | $sg ms ($sg0-$sg1) | $sb ms ($sb0-$sb1) | <= 150 ms and <= 2x bare ($(ratio "$sg" "$sb")x) | $(ok "$sg <= 150 && $sg <= 2 * $sb") |
| VmRSS at the title after 3 s | $rg MB ($rg0-$rg1) | $rb MB ($rb0-$rb1) | <= 50 MB | $(ok "$rg <= 50") |
| VmHWM at the title after 3 s | $hg MB ($hg0-$hg1) | | | |
| idle CPU at the title, 10 s | $ct % ($ct0-$ct1) | $cbt % with a 1 ms timer ($cbt0-$cbt1); $cb % without | <= 1.1x bare + 1 ms timer ($(ratio "$ct" "$cbt")x) | $(ok "$ct <= 1.1 * $cbt") |
| idle CPU on a waiting page, 10 s | $cp % ($cp0-$cp1) | $cbp % with a 1 ms timer ($cbp0-$cbp1) | <= 1.1x ($(ratio "$cp" "$cbp")x) | $(ok "$cp <= 1.1 * $cbp") |
| wake-ups per second (title / page) | $wt / $wp | $wbt / $wbp with a 1 ms timer | reported | |
| click -> next line shown | median $ck ms, p95 $ck95 ms ($ck0-$ck1) | | median <= 12, p95 <= 16 | $(ok "$ck <= 12 && $ck95 <= 16") |
| fast-forward, 5,000-line scene | $ff lines/s ($ff0-$ff1) | 1 ms timer: $tk ticks/s ($tk0-$tk1) | >= 90 % of the timer ($(ratio "$ff" "$tk")x) | $(ok "$ff >= 0.9 * $tk") |
| interpreter, StepScript, 100,000 lines | $ip lines/s ($ip0-$ip1) | | reported | |
| resize redraw, 1920x1080 title | $rt ms ($rt0-$rt1) | | reported | |
| resize redraw, 1920x1080 event picture | $re ms ($re0-$re1) | | reported | |
| scene open, 5,000 scripts: exact name | $ne us ($ne0-$ne1) | | reported | |
| scene open, 5,000 scripts: other case, listing held | $nf us ($nf0-$nf1) | | reported | |
| scene open, 5,000 scripts: other case, folder changed | $nr us ($nr0-$nr1) | | reported | |
TABLE
