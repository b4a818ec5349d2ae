#!/usr/bin/env bash
# Runs every fuzz target for longer (default 300 s each) and reports executions and crashes.
# Usage: scripts/fuzz.sh [SECONDS]
set -uo pipefail
cd "$(dirname "$0")/.."
seconds=${1:-300}
bash scripts/deps.sh test
cmake --preset fuzz >/dev/null && cmake --build --preset fuzz -j "$(nproc)" >/dev/null || exit 1
mkdir -p build/fuzz/corpus build/fuzz/crashes
printf '%-10s %14s %8s\n' target executions crashes
for t in settings startup wraptext records; do
  mkdir -p "build/fuzz/corpus/$t"
  log="build/fuzz/$t.log"
  build/fuzz/tests/fuzz/fuzz_$t "build/fuzz/corpus/$t" -max_total_time="$seconds" \
    -rss_limit_mb=2048 -max_len=2048 -print_final_stats=1 \
    -artifact_prefix="build/fuzz/crashes/$t-" >"$log" 2>&1
  runs=$(sed -n 's/^stat::number_of_executed_units: *//p' "$log" | tail -n1)
  crashes=$(ls build/fuzz/crashes 2>/dev/null | grep -c "^$t-" || true)
  printf '%-10s %14s %8s\n' "$t" "${runs:-?}" "$crashes"
done
