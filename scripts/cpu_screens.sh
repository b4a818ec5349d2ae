#!/usr/bin/env bash
# CPU of a full-screen run at the defaults (black background, 20 points) on one monitor and on
# two and three side by side (Xephyr with Xinerama screens), measured from /proc over the same
# window after the first verse: whole verse cycles (the new verse, its growth, the wait).
# Prints one line per layout, then each layout's CPU over one monitor's.
# Usage: scripts/cpu_screens.sh [SECONDS] [MONITOR] [CHANGESEC]   (default 30, 1024x768 and
# a verse every 15 s; 3840x2160 makes three 4K monitors, 1 a verse every second)
set -euo pipefail
ROOT=$(cd "$(dirname "$0")/.." && pwd)
SECONDS_WANTED=${1:-30}
MONITOR=${2:-1024x768}
CHANGESEC=${3:-15}
export VW_DIST=${VW_DIST:-$ROOT/build/dist} VW_WINBUILD=${VW_WINBUILD:-$ROOT/build/windows}
export VW_SRC=$ROOT VW_SHOTS=${VW_SHOTS:-$VW_WINBUILD/figures-shots}
. "$ROOT/scripts/wine_desk.sh"
set +e
e2e_setup "$((3 * ${MONITOR%x*}))x${MONITOR#*x}"
NESTED=""
trap 'rc=$?; [ -n "$NESTED" ] && kill "$NESTED" 2>/dev/null; (exit $rc); e2e_cleanup' EXIT
TICKS=$(getconf CLK_TCK)
USED=()  # CPU ticks of each layout, one monitor first

measure() {  # measure LABEL
  xdotool mousemove 100 100
  start_scr /s
  display_info >/dev/null
  sleep 3  # past the first verse's growth
  local t0 t1; t0=$(cpu_ticks "$SCR_PID")
  sleep "$SECONDS_WANTED"
  t1=$(cpu_ticks "$SCR_PID")
  USED+=($((t1 - t0)))
  awk -v t=$((t1 - t0)) -v hz="$TICKS" -v s="$SECONDS_WANTED" -v l="$1" \
    'BEGIN { printf "%s: %.2f CPU s/min (%.2f %% of one core) over %d s\n", l, t/hz*60/s, 100*t/hz/s, s }'
  xdotool click 1
  wait_gone "$SCR_PID" 5
}

echo "cpu_screens: Wine $(wine --version 2>/dev/null), $(nproc) cores, load $(cut -d' ' -f1-3 /proc/loadavg)"
reg_set Settings ChangeSec "$CHANGESEC"
start_x Xvfb -screen 0 "${MONITOR}x24"
NESTED=$X_PID
wineserver -k; wineserver -w; wineserver -p
measure "one monitor $MONITOR"
kill "$NESTED"; wait "$NESTED" 2>/dev/null
for n in 2 3; do
  screens=()
  for _ in $(seq "$n"); do screens+=(-screen "$MONITOR"); done
  start_x env DISPLAY="$E2E_DISPLAY" Xephyr +xinerama "${screens[@]}"
  NESTED=$X_PID
  wine reg add 'HKCU\Software\Wine\X11 Driver' /v UseXRandR /d N /f >/dev/null 2>&1
  wineserver -k; wineserver -w; wineserver -p
  measure "$n monitors of $MONITOR"
  kill "$NESTED"; wait "$NESTED" 2>/dev/null
done
NESTED=""
awk -v one="${USED[0]}" -v two="${USED[1]}" -v three="${USED[2]}" -v c="$CHANGESEC" 'BEGIN {
  if (one == 0) { print "one monitor used no measurable CPU: no ratio"; exit }
  printf "a verse every %d s: two monitors %.2fx one, three %.2fx one\n", c, two / one, three / one }'
echo "load at the end: $(cut -d' ' -f1-3 /proc/loadavg)"
