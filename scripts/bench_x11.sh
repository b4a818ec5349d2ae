#!/usr/bin/env bash
# The hack's CPU against XScreenSaver's own fontglide, under the same daemon on the same
# virtual display (1024x768), each for SECONDS (default 30) after it starts:
#   bash scripts/bench_x11.sh [SECONDS] [vellumway options]   (default options: --root)
# Prints each one's CPU seconds and share of one core, and their ratio.
set -euo pipefail
cd "$(dirname "$0")/.."
seconds=${1:-30}; shift || true
opts=${*:---root}
[ -x build/dist/vellumway ] && [ -f build/dist/kjv.dat ] ||
  { cmake --preset native >/dev/null; cmake --build --preset native --target vellumway kjv_dat; }
. scripts/xss.sh
xss_home
xss_start 1 left True "$HACK $opts" "/usr/libexec/xscreensaver/fontglide --root"
hz=$(getconf CLK_TCK)
measure() {  # PROGRAM-NUMBER NAME: CPU ticks of its hack over the run
  xss_activate "$1"
  local pid=$HPIDS t0; pid=${pid%% *}; t0=$(cpu_ticks "$pid")
  sleep "$seconds"  # a measurement over a fixed time, not a wait for a condition
  TICKS=$(( $(cpu_ticks "$pid") - t0 ))
  printf '%-10s %6.2f s CPU in %s s (%5.2f %% of a core)\n' "$2" "$(echo "$TICKS / $hz" | bc -l)" \
    "$seconds" "$(echo "100 * $TICKS / $hz / $seconds" | bc -l)"
  xss_deactivate
}
measure 1 vellumway; v=$TICKS
measure 2 fontglide; f=$TICKS
printf 'CPU ratio vellumway / fontglide: %.3f\n' "$(echo "$v / ($f + 0.000001)" | bc -l)"
