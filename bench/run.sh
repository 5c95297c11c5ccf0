#!/bin/bash
# The performance benchmark: the game beside a bare Qt window of the same size,
# under Xvfb with openbox, RUNS rounds (default 5), medians with min-max.
#
# usage: bench/run.sh [build folder]     (default: build; make bench builds it first)
# Needs: Xvfb, openbox, xdotool; for the rows with sound a PulseAudio server
# (installed here when missing and run as root; otherwise those rows read n/a).
# Prints a table; the raw numbers stay in $KEEP if set. Idle CPU is measured with
# the game and the bare picture window running side by side over the same
# seconds, so other work on the machine weighs on both alike.
set -u
ROOT=$(cd "$(dirname "$0")/.." && pwd)
BUILD=$(cd "${1:-$ROOT/build}" && pwd)
RUNS=${RUNS:-5}
TOOLS=$BUILD/bench
GAME=${GAME:-$BUILD/game}   # GAME=<folder> measures another build of the game
WORK=$(mktemp -d /tmp/hibi-bench.XXXXXX)
RAW=$WORK/raw
mkdir -p "$RAW"

for tool in hibi_bench_probe hibi_bench_bare_window hibi_bench_games hibi_bench_interpreter \
    hibi_bench_resize hibi_bench_names hibi_bench_synth; do
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

# A sound server with a null sink, its socket outside XDG_RUNTIME_DIR so that only
# the runs given PULSE_SERVER find it.
if ! command -v pulseaudio >/dev/null || ! command -v parec >/dev/null; then
  if [ "$(id -u)" -eq 0 ]; then
    DEBIAN_FRONTEND=noninteractive apt-get install -y -qq --no-install-recommends \
      pulseaudio pulseaudio-utils >/dev/null 2>&1
  fi
fi
SOUND=
if command -v pulseaudio >/dev/null && command -v parec >/dev/null; then
  PA=$WORK/pulse
  mkdir -p -m 700 "$PA"
  HOME=$PA XDG_RUNTIME_DIR=$PA pulseaudio -n --daemonize=no --exit-idle-time=-1 \
    --disallow-exit --use-pid-file=no --log-target=file:"$PA/log" \
    -L "module-null-sink sink_name=hibi_null" \
    -L "module-native-protocol-unix socket=$PA/native auth-anonymous=1" >/dev/null 2>&1 &
  PIDS+=($!)
  for _ in $(seq 100); do [ -S "$PA/native" ] && break; sleep 0.05; done
  [ -S "$PA/native" ] && SOUND="unix:$PA/native"
fi

"$TOOLS/hibi_bench_games" "$GAME" "$WORK/games" || exit 1
BARE=$TOOLS/hibi_bench_bare_window
TITLE=$(ls "$GAME"/img/ttl.* 2>/dev/null | head -1)
LBL="0.27,0.67,0.46,0.30"      # the message label's area in the window
PICCOM="0.81,0.05,0.17,0.90"   # the command panel's area

# Numbers on stdin -> "median min max" (and p95 with -p).
stats() {
  sort -g | awk -v p95="${1:-}" '{v[NR]=$1} END {
    if (NR == 0) { print "n/a n/a n/a n/a"; exit }
    m = (NR % 2) ? v[(NR+1)/2] : (v[NR/2] + v[NR/2+1]) / 2
    i = int(0.95 * NR + 0.999); if (i < 1) i = 1; if (i > NR) i = NR
    if (p95 != "") printf "%.3g %.3g %.3g %.3g\n", m, v[1], v[NR], v[i]
    else printf "%.3g %.3g %.3g\n", m, v[1], v[NR] }'
}
# "median (min-max)" of a raw file, or n/a.
fig() { read -r m lo hi < <(stats <"$RAW/$1" 2>/dev/null || echo "n/a"); [ "$m" = n/a ] && echo n/a || echo "$m ($lo-$hi)"; }
med() { read -r m _ < <(stats <"$RAW/$1" 2>/dev/null); echo "${m:-n/a}"; }

window_of() {  # pid -> its visible window id
  for _ in $(seq 200); do
    local w
    w=$(xdotool search --onlyvisible --pid "$1" 2>/dev/null | head -1)
    [ -n "$w" ] && { echo "$w"; return; }
    sleep 0.02
  done
}

# CPU time in ns (all threads, from schedstat) and context switches of a process;
# audio_ns: only the threads the sound libraries started (the synthesiser's share).
cpu_ns() { cat /proc/"$1"/task/*/schedstat 2>/dev/null | awk '{s+=$1} END {print s+0}'; }
audio_ns() {
  local s=0 t
  for t in /proc/"$1"/task/*; do
    grep -qiE 'fluid|pulse|audio|alsa|threaded-ml|music' "$t/comm" 2>/dev/null && s=$((s + $(cut -d' ' -f1 "$t/schedstat")))
  done
  echo $s
}
switches() { cat /proc/"$1"/task/*/status 2>/dev/null | awk '/ctxt_switches/ {s+=$2} END {print s+0}'; }
# Only the switches the process asked for by waiting: the others are other
# programs taking the CPU from it, which a loaded machine multiplies.
waits() { cat /proc/"$1"/task/*/status 2>/dev/null | awk '/^voluntary_ctxt_switches/ {s+=$2} END {print s+0}'; }

# idle <seconds> <name> <pid> [<name> <pid>]: CPU % and wake-ups per second of
# one or two processes over the same interval, so both see the same machine load.
idle() {
  local seconds=$1 c0a s0a a0a v0a c0b s0b
  shift
  c0a=$(cpu_ns "$2"); s0a=$(switches "$2"); a0a=$(audio_ns "$2"); v0a=$(waits "$2")
  if [ $# -ge 4 ]; then c0b=$(cpu_ns "$4"); s0b=$(switches "$4"); fi
  sleep "$seconds"
  record "$1" "$c0a" "$(cpu_ns "$2")" "$s0a" "$(switches "$2")" "$seconds"
  echo "$a0a $(audio_ns "$2") $seconds" | awk '{printf "%.4f\n", 100 * ($2 - $1) / ($3 * 1e9)}' >>"$RAW/$1.audio"
  echo "$v0a $(waits "$2") $seconds" | awk '{printf "%.1f\n", ($2 - $1) / $3}' >>"$RAW/$1.waits"
  if [ $# -ge 4 ]; then record "$3" "$c0b" "$(cpu_ns "$4")" "$s0b" "$(switches "$4")" "$seconds"; fi
}
record() {
  echo "$2 $3 $6" | awk '{printf "%.4f\n", 100 * ($2 - $1) / ($3 * 1e9)}' >>"$RAW/$1.cpu"
  echo "$4 $5 $6" | awk '{printf "%.1f\n", ($2 - $1) / $3}' >>"$RAW/$1.wake"
}

memory() {  # <name> <pid>: appends VmRSS in MB
  awk '/VmRSS/ {print $2/1024}' /proc/"$2"/status >>"$RAW/$1.rss"
}

launch() { "$@" >/dev/null 2>&1 & P=$!; PIDS+=($P); }
finish() { kill "$P" 2>/dev/null; wait "$P" 2>/dev/null; }
stop() { kill "$@" 2>/dev/null; wait "$@" 2>/dev/null; }

# waiting_page <game folder>: starts it, clicks past the title and waits for the
# first page to be fully shown; leaves P and W set.
waiting_page() {
  launch "$1/hibi"; W=$(window_of "$P"); sleep 1
  xdotool mousemove --window "$W" 300 300 click 1
  "$TOOLS/hibi_bench_probe" stable "$W" "$LBL" 500 10000 >/dev/null
}

# idle_pair <suffix> [env...]: the title and a waiting page, each beside the bare
# picture window, with the environment given (the sound server or none).
idle_pair() {
  local suffix=$1 G T
  shift
  launch env "$@" "$GAME/hibi"; G=$P
  launch "$BARE" "${PICTURE[@]}"; T=$P
  sleep 3
  [ "$suffix" = quiet ] && { memory game "$G"; memory bare "$T"; }
  idle 10 "title_$suffix" "$G" "bare_title_$suffix" "$T"
  stop "$G" "$T"
  launch env "$@" "$WORK/games/ff/hibi"; G=$P; W=$(window_of "$P"); sleep 1
  xdotool mousemove --window "$W" 300 300 click 1
  "$TOOLS/hibi_bench_probe" stable "$W" "$LBL" 500 10000 >/dev/null
  launch "$BARE" "${PICTURE[@]}"; T=$P; sleep 2
  idle 10 "page_$suffix" "$G" "bare_page_$suffix" "$T"
  stop "$G" "$T"
}

# The bare window stretches the title to the very size the game does: the inside
# of the game's window, which the window manager's frame makes smaller than the
# picture itself.
launch "$GAME/hibi"; W=$(window_of "$P"); sleep 1
STAGE=$(xwininfo -id "$W" | awk '/^  Width:/ {w=$2} /^  Height:/ {h=$2} END {print w "x" h}')
finish
PICTURE=(--picture "$TITLE" --size "$STAGE")

echo "load before: $(cut -d' ' -f1-3 /proc/loadavg)" >"$RAW/load"
for round in $(seq "$RUNS"); do
  echo "round $round of $RUNS" >&2
  # Cold start to the first drawn frame, alternating the two programs.
  "$TOOLS/hibi_bench_probe" start 10000 "$GAME/hibi" | awk '{print $2}' >>"$RAW/start_game"
  "$TOOLS/hibi_bench_probe" start 10000 "$BARE" "${PICTURE[@]}" | awk '{print $2}' >>"$RAW/start_bare"

  idle_pair quiet
  [ -n "$SOUND" ] && idle_pair sound PULSE_SERVER="$SOUND"

  # The loop point on the sound server: the null sink's monitor recorded over
  # six rounds of a 1.5 s tune.
  if [ -n "$SOUND" ]; then
    launch env PULSE_SERVER="$SOUND" "$WORK/games/loop/hibi"; G=$P; sleep 2
    PULSE_SERVER="$SOUND" timeout 9 parec -d hibi_null.monitor --raw --format=s16le \
      --rate=44100 --channels=2 >"$WORK/loop.raw" 2>/dev/null
    "$TOOLS/hibi_bench_games" --gap "$WORK/loop.raw" | awk '$2 >= 0 {print $2 >>"'"$RAW/gap"'"; print $3 >>"'"$RAW/gap_max"'"}'
    stop "$G"

    # The same tune's cost with nothing but the synthesiser: the floor.
    "$TOOLS/hibi_bench_synth" "$GAME/bgm.mid" | awk '{print $2}' >>"$RAW/floor"
    # The tune's start against the first frame, and the mute key (M, twice) until
    # the sink goes silent and sounds again, on the loop tune, which never rests.
    # Preferences go to a folder of the benchmark's own, not the user's.
    PULSE_SERVER="$SOUND" XDG_CONFIG_HOME="$WORK/config" "$TOOLS/hibi_bench_probe" sound_start 10000 \
      "$WORK/games/loop/hibi" | awk '$2 != "timeout" {print $4 - $2}' >>"$RAW/sound_start"
    launch env PULSE_SERVER="$SOUND" XDG_CONFIG_HOME="$WORK/config" "$WORK/games/loop/hibi"
    G=$P; W=$(window_of "$P"); sleep 2
    PULSE_SERVER="$SOUND" pactl list sinks 2>/dev/null |
      awk '/Latency:/ {print $5 / 1000; exit}' >>"$RAW/sink_latency"
    PULSE_SERVER="$SOUND" "$TOOLS/hibi_bench_probe" mute "$W" 3000 |
      awk '$2 != "timeout" {print $2 >>"'"$RAW/mute"'"; print $4 >>"'"$RAW/unmute"'"}'
    stop "$G"
  fi

  # Clicks to the next page, and past 5,000 pictures in one step.
  waiting_page "$WORK/games/ff"
  for _ in $(seq 10); do
    "$TOOLS/hibi_bench_probe" click "$W" 1 0.5 0.8 "$LBL" 2000 | awk '{print $2}' >>"$RAW/click"
    "$TOOLS/hibi_bench_probe" stable "$W" "$LBL" 400 5000 >/dev/null
  done
  finish
  waiting_page "$WORK/games/imgs"
  "$TOOLS/hibi_bench_probe" click "$W" 1 0.5 0.8 "$LBL" 60000 |
    awk '$2 != "timeout" {print $2}' >>"$RAW/imgs"
  finish

  # Fast-forward through the rest of the 5,000-line scene: the first page of 8
  # lines has been shown when the right click comes.
  waiting_page "$WORK/games/ff"
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
read -r ck ck0 ck1 ck95 < <(stats -p <"$RAW/click")
read -r ip ip0 ip1 <"$RAW/interpreter"
read -r _ rt rt0 rt1 < <(grep title "$RAW/resize")
read -r _ re re0 re1 < <(grep event "$RAW/resize")
read -r _ ne ne0 ne1 < <(grep exact "$RAW/names")
read -r _ nf nf0 nf1 < <(grep folded "$RAW/names")
read -r _ nr nr0 nr1 < <(grep relisted "$RAW/names")
ratio() { awk -v a="$1" -v b="$2" 'BEGIN {if (b > 0) printf "%.2f", a / b; else print "n/a"}'; }
ok() { case "$1" in *n/a*) echo n/a; return ;; esac; awk "BEGIN {print ($1) ? \"met\" : \"MISSED\"}" 2>/dev/null || echo n/a; }
sg=$(med start_game); sb=$(med start_bare); rg=$(med game.rss); rb=$(med bare.rss)
wq=$(med title_quiet.wake); cq=$(med title_quiet.cpu); cs=$(med title_sound.cpu); as=$(med title_sound.audio)
ff=$(med ff); tk=$(med ticks); gap=$(med gap); im=$(med imgs)
cs_ok=n/a; [ -n "$SOUND" ] && cs_ok=$(ok "$cs - $as <= 0.5")
fl=$(med floor); cp=$(med page_sound.cpu); ws=$(med title_sound.wake); wp=$(med page_sound.wake)
mu=$(med mute); um=$(med unmute); sl=$(med sink_latency); ss=$(med sound_start)
heard() { awk -v a="$1" -v b="$2" 'BEGIN {if (a == "n/a" || b == "n/a") print "n/a"; else printf "%.0f", a + b}'; }
mh=$(heard "$mu" "$sl"); uh=$(heard "$um" "$sl")
gap_ok=n/a; [ -n "$SOUND" ] && gap_ok=$(ok "$gap < 10")

cat <<TABLE

hibi benchmark: $(nproc) cores, $(grep -m1 'model name' /proc/cpuinfo | cut -d: -f2 | sed 's/^ //'), Xvfb 1920x1080 + openbox, $RUNS rounds, sound server: ${SOUND:+PulseAudio null sink at }${SOUND:-none}
$(cat "$RAW/load")

Side by side, medians (min-max); the bare window decodes the title picture and stretch-draws it to the game's $STAGE.

| figure | hibi | bare picture window |
|---|---|---|
| wake-ups/s at the title, no sound | $(fig title_quiet.wake) | $(fig bare_title_quiet.wake) |
| CPU % at the title, no sound | $(fig title_quiet.cpu) | $(fig bare_title_quiet.cpu) |
| wake-ups/s on a waiting page, no sound | $(fig page_quiet.wake) | $(fig bare_page_quiet.wake) |
| CPU % on a waiting page, no sound | $(fig page_quiet.cpu) | $(fig bare_page_quiet.cpu) |
| wake-ups/s at the title, sound server | $(fig title_sound.wake) | $(fig bare_title_sound.wake) |
| CPU % at the title, sound server | $(fig title_sound.cpu); audio threads $(fig title_sound.audio) | $(fig bare_title_sound.cpu) |
| wake-ups/s on a waiting page, sound server | $(fig page_sound.wake) | $(fig bare_page_sound.wake) |
| CPU % on a waiting page, sound server | $(fig page_sound.cpu); audio threads $(fig page_sound.audio) | $(fig bare_page_sound.cpu) |
| FluidSynth alone: CPU % rendering the same tune offline (the floor) | $(fig floor) | |
| first frame, ms | $(fig start_game) | $(fig start_bare) |
| VmRSS at the title after 3 s, MB | $(fig game.rss) | $(fig bare.rss) |

| target | measured | |
|---|---|---|
| wake-ups/s at the title, no sound <= 20 | $wq | $(ok "$wq <= 20") |
| CPU at the title, no sound <= 0.3 % | $cq % | $(ok "$cq <= 0.3") |
| CPU at the title with a sound server <= audio threads + 0.5 % | $cs % (audio threads $as %) | $cs_ok |
| whole process at the title with music <= 1.5x the offline synthesis | $cs % against $fl % ($(ratio "$cs" "$fl")x) | $(ok "$cs <= 1.5 * $fl") |
| whole process on a waiting page with music <= 1.5x the offline synthesis | $cp % against $fl % ($(ratio "$cp" "$fl")x) | $(ok "$cp <= 1.5 * $fl") |
| context switches/s with music <= 100 (title / page) | $ws / $wp (of them waits $(med title_sound.waits) / $(med page_sound.waits)) | $(ok "$ws <= 100 && $wp <= 100") |
| mute heard <= 0.25 s (key to silence at the monitor + the sink's $sl ms) | $mh ms ($(fig mute) + $sl) | $(ok "$mh <= 250") |
| volume back heard <= 0.25 s (the same, unmuting) | $uh ms ($(fig unmute) + $sl) | $(ok "$uh <= 250") |
| tune heard <= 0.3 s after the first frame | $ss ms ($(fig sound_start)) | $(ok "$ss <= 300") |
| silence at the loop point < 10 ms | median $gap ms ($(fig gap)); longest per recording $(fig gap_max) | $gap_ok |
| first frame <= 1.15x bare | $(ratio "$sg" "$sb")x | $(ok "$sg <= 1.15 * $sb") |
| VmRSS at the title <= bare + 8 MB | +$(awk -v a="$rg" -v b="$rb" 'BEGIN {printf "%.1f", a - b}') MB | $(ok "$rg <= $rb + 8") |
| fast-forward >= 0.9x the 1 ms timer | $ff lines/s against $tk ticks/s ($(ratio "$ff" "$tk")x) | $(ok "$ff >= 0.9 * $tk") |
| 5,000 >img lines in one step <= 0.2 s | $im ms ($(fig imgs)) | $(ok "$im <= 200") |
| click -> next line shown: median <= 12, p95 <= 16 ms | $ck ms, p95 $ck95 ms ($ck0-$ck1) | $(ok "$ck <= 12 && $ck95 <= 16") |
| interpreter, StepScript, 100,000 lines | $ip lines/s ($ip0-$ip1) | reported |
| resize redraw, 1920x1080 title / event picture | $rt ms ($rt0-$rt1) / $re ms ($re0-$re1) | reported |
| scene open, 5,000 scripts: exact name | $ne us ($ne0-$ne1) | reported |
| scene open, 5,000 scripts: other case, listing held | $nf us ($nf0-$nf1) | reported |
| scene open, 5,000 scripts: other case, folder changed | $nr us ($nr0-$nr1) | reported |
TABLE
