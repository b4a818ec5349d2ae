#!/usr/bin/env bash
# Measures the running screen saver under Wine on a virtual display (1024 x 768) and prints
# one line per figure:
#   - Wine's own start-up: launch to exit of an empty program, started the way the saver is;
#   - start-up of Vellumway.scr /s: launch to the display window, to its first paint and to
#     the first pixels of the first verse (the verse is due 100 ms after Go by design);
#   - CPU seconds per minute at the defaults (a verse every 15 s) and with "ChangeSec" 1, for
#     the program's process and, separately, for wineserver and the X server;
#   - peak memory (VmHWM of the process, and the peak working set Windows-style);
#   - GDI objects after about 200 verses (ChangeSec 1).
# Every start is timed from inside Wine (the start-up benchmark calls CreateProcess), so that the
# Linux-side cost of the "wine" command is not counted. Medians over several runs.
#
# Usage: scripts/figures.sh [--runs N] [--cpu-seconds S] [--verses-seconds S]
#   defaults: 7 timed starts, a 60 s CPU window, a 260 s run for the GDI figure (about 200
#   verses at one verse every 1.25 s); shorter values give a quick run.
# Uses VW_DIST and VW_WINBUILD when set, else build/dist and build/windows; builds with
# scripts/build.sh only when the program, the test driver or the start-up benchmark is missing.
set -euo pipefail
ROOT=$(cd "$(dirname "$0")/.." && pwd)
export VW_DIST=${VW_DIST:-$ROOT/build/dist}
export VW_WINBUILD=${VW_WINBUILD:-$ROOT/build/windows}
export VW_SRC=$ROOT
export VW_SHOTS=${VW_SHOTS:-$VW_WINBUILD/figures-shots}
if [ ! -f "$VW_DIST/Vellumway.scr" ] || [ ! -f "$VW_DIST/kjv.dat" ] ||
   [ ! -f "$VW_WINBUILD/tests/e2e/driver/vwdriver.exe" ] || [ ! -f "$VW_WINBUILD/bench/start_bench.exe" ]; then
  bash "$ROOT/scripts/build.sh"
fi
. "$ROOT/scripts/wine_desk.sh"  # before the options are read: it may start this script again
set +e
RUNS=7 CPU_SECONDS=60 VERSES_SECONDS=260
while [ $# -gt 0 ]; do
  case $1 in
    --runs) RUNS=$2; shift 2 ;;
    --cpu-seconds) CPU_SECONDS=$2; shift 2 ;;
    --verses-seconds) VERSES_SECONDS=$2; shift 2 ;;
    *) echo "usage: $0 [--runs N] [--cpu-seconds S] [--verses-seconds S]" >&2; exit 2 ;;
  esac
done
START_BENCH="$VW_WINBUILD/bench/start_bench.exe"
if [ ! -f "$START_BENCH" ]; then
  echo "No start-up benchmark in $VW_WINBUILD; build it:" >&2
  echo "  cmake --build $VW_WINBUILD --target start_bench" >&2
  exit 1
fi
bench() { wine "$START_BENCH" "$@" 2>/dev/null | tr -d '\r'; }

e2e_setup 1024x768
SCR_WIN="$(winepath -w "$APP/Vellumway.scr" 2>/dev/null)"
TICKS=$(getconf CLK_TCK)
median() { sort -n | awk '{ v[NR] = $1 } END { if (NR) print v[int((NR + 1) / 2)]; else print "n/a" }'; }
range() { sort -n | awk 'NR == 1 { lo = $1 } { hi = $1 } END { printf "%s..%s", lo, hi }'; }
# The wineserver of this prefix: its working folder is named after the prefix's device and
# inode (server-<dev>-<inode>, in a temporary folder).
wineserver_pid() {
  local dir pid
  dir=$(printf 'server-%x-%x' "$(stat -c %d "$WINEPREFIX")" "$(stat -c %i "$WINEPREFIX")")
  for pid in $(pgrep -x wineserver64 2>/dev/null; pgrep -x wineserver 2>/dev/null); do
    [ "$(basename "$(readlink "/proc/$pid/cwd" 2>/dev/null)")" = "$dir" ] && { echo "$pid"; return; }
  done
  echo ""
}
per_minute() {  # per_minute TICKS SECONDS -> CPU seconds per minute
  awk -v t="$1" -v hz="$TICKS" -v s="$2" 'BEGIN { printf "%.2f", t / hz * 60 / s }'
}
percent() {  # percent TICKS SECONDS -> % of one core
  awk -v t="$1" -v hz="$TICKS" -v s="$2" 'BEGIN { printf "%.2f", 100 * t / hz / s }'
}

# cpu_window SECONDS: CPU of the program, wineserver and Xvfb over the next SECONDS.
cpu_window() {
  local seconds=$1 server server_note=""; server=$(wineserver_pid)
  local p0 s0 x0 p1 s1 x1
  p0=$(cpu_ticks "$SCR_PID"); s0=$(cpu_ticks "${server:-0}"); x0=$(cpu_ticks "$E2E_XVFB")
  sleep "$seconds"
  p1=$(cpu_ticks "$SCR_PID"); s1=$(cpu_ticks "${server:-0}"); x1=$(cpu_ticks "$E2E_XVFB")
  [ -n "$server" ] || server_note=" (wineserver not found)"
  CPU_LINE="Vellumway.scr $(per_minute $((p1 - p0)) "$seconds") s/min ($(percent $((p1 - p0)) "$seconds") % of one core); wineserver $(per_minute $((s1 - s0)) "$seconds") s/min$server_note; Xvfb $(per_minute $((x1 - x0)) "$seconds") s/min"
}

echo "figures: Wine $(wine --version 2>/dev/null), Xvfb 1024x768x24, $(nproc) cores, load $(cut -d' ' -f1-3 /proc/loadavg) at start, $(date -u +%Y-%m-%dT%H:%MZ)"

# --- start-up ----------------------------------------------------------------------------------
wine "$START_BENCH" noop >/dev/null 2>&1  # first start of anything loads Wine's files from disk
empty=$(bench time-empty "$RUNS")
entered=$(sed -n 's/^entered_ms=//p' <<<"$empty")
exited=$(sed -n 's/^exited_ms=//p' <<<"$empty")
wine_ms=$(median <<<"$entered")
echo "wine_start_empty_program_ms: to its main function median $wine_ms (range $(range <<<"$entered")), to its end median $(median <<<"$exited") (range $(range <<<"$exited")), $RUNS runs"

# Over a coloured desktop, so that the first paint (black) can be seen.
wine "$DRIVER" solid-window 30 60 90 >/dev/null 2>&1 &
SOLID=$!
sleep 1.5
xdotool mousemove 512 384
bench time-start "$SCR_WIN" /s >/dev/null  # warm-up, not counted
: >"$E2E_TMP/starts"
for _ in $(seq "$RUNS"); do
  bench time-start "$SCR_WIN" /s >>"$E2E_TMP/starts"
  sleep 0.5
done
kill "$SOLID" 2>/dev/null; wait "$SOLID" 2>/dev/null
for what in window first_paint first_verse; do
  values=$(sed -n "s/^${what}_ms=//p" "$E2E_TMP/starts")
  m=$(median <<<"$values")
  beyond=$(awk -v a="$m" -v b="$wine_ms" 'BEGIN { printf "%.1f", a - b }')
  note=""
  [ "$what" = first_verse ] && note="; by design the verse comes 100 ms after Go and grows from size 1, this is when 20 of its pixels show"
  echo "start_to_${what}_ms: median $m (range $(range <<<"$values")), beyond Wine's start-up $beyond$note"
done

# --- CPU at the defaults ------------------------------------------------------------------------
reg_set Settings ChangeSec 15
start_scr /s
display_info >/dev/null
sleep 5
cpu_window "$CPU_SECONDS"
echo "cpu_defaults_changesec15 over ${CPU_SECONDS}s: $CPU_LINE"
xdotool click 1
wait_gone "$SCR_PID" 5

# --- ChangeSec 1: CPU, memory, GDI objects after ~200 verses ------------------------------------
reg_set Settings ChangeSec 1 && reg_set Settings LastSection 1 && reg_set Settings LastVerse 1
xdotool mousemove 512 384
start_scr /s
display_info >/dev/null
sleep 5
early=$(driver window-stats VellumwayDisplay)
cpu_window "$CPU_SECONDS"
echo "cpu_changesec1 over ${CPU_SECONDS}s: $CPU_LINE"
rest=$((VERSES_SECONDS - CPU_SECONDS - 5))
[ "$rest" -gt 0 ] && sleep "$rest"
late=$(driver window-stats VellumwayDisplay)
hwm=$(awk '/^VmHWM/ { print $2 }' "/proc/$SCR_PID/status")
rss=$(awk '/^VmRSS/ { print $2 }' "/proc/$SCR_PID/status")
xdotool click 1
wait_gone "$SCR_PID" 5
verses=$(reg_get Settings LastVerse)
echo "peak_memory_kb: VmHWM $hwm (VmRSS at the end $rss); peak working set $(info_value "$late" peak_working_set_kb) (GetProcessMemoryInfo)"
echo "gdi_objects: $(info_value "$early" gdi_table_objects) after the first verses, $(info_value "$late" gdi_table_objects) after $verses verses (${VERSES_SECONDS}s at ChangeSec 1) (counted in the GDI handle table: GetGuiResources answers 0 under Wine)"
echo "load at the end: $(cut -d' ' -f1-3 /proc/loadavg)"
