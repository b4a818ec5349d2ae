#!/usr/bin/env bash
# Prints the performance figures: the native benchmarks (line breaking and placement of the
# longest verse, a full rotation pass over kjv.dat) and the frame benchmark under Wine: a table
# of the growth frames' median at 1920x1080 and at one, two and three 4K monitors side by side
# (3840x2160 to 11520x2160), each beside the floor of two full-frame block transfers of that
# size. VW_FRAME_BENCH names another frame benchmark program (an older build, to compare).
set -euo pipefail
cd "$(dirname "$0")/.."
[ -f build/dist/Vellumway.scr ] && [ -x build/native/bench/vellumway_bench ] || bash scripts/build.sh
build/native/bench/vellumway_bench
export WINEDEBUG=-all WINEPREFIX
WINEPREFIX=$(mktemp -d /tmp/vw-bench.XXXXXX)
d=131
while [ -e "/tmp/.X$d-lock" ]; do d=$((d + 1)); done
Xvfb ":$d" -screen 0 11520x2160x24 -nolisten tcp >/dev/null 2>&1 &
xvfb=$!
trap 'wineserver -k 2>/dev/null; kill $xvfb 2>/dev/null; rm -rf "$WINEPREFIX"' EXIT
export DISPLAY=":$d"
setarch -R wineboot -i >/dev/null 2>&1  # a fixed address layout, as in the tests
setarch -R wine "${VW_FRAME_BENCH:-build/windows/bench/frame_bench.exe}" --frames "${VW_BENCH_FRAMES:-400}" 2>/dev/null | tr -d '\r'
