#!/usr/bin/env bash
# How often a Wine start fails, the way the end-to-end tests start Wine: CYCLES times a registry
# export and a full-screen run of Vellumway.scr by the test driver, ended with a click (three
# Wine starts a cycle). Prints each failure with what Wine said, then the count.
# Usage: scripts/wine_starts.sh [CYCLES] [random]   (default 500; "random": the address layout
# randomized, as Linux starts programs, instead of the fixed one the tests use)
set -euo pipefail
CYCLES=${1:-500} LAYOUT=${2:-fixed}
[ "$LAYOUT" = random ] && export VW_RANDOM_LAYOUT=1
ROOT=$(cd "$(dirname "$0")/.." && pwd)
export VW_DIST=${VW_DIST:-$ROOT/build/dist} VW_WINBUILD=${VW_WINBUILD:-$ROOT/build/windows}
export VW_SRC=$ROOT VW_SHOTS=${VW_SHOTS:-$VW_WINBUILD/figures-shots}
. "$ROOT/scripts/wine_desk.sh"
set +e
e2e_setup 1024x768
export WINEDEBUG=fixme-all  # Wine's own error lines are what a failure is read by
scr=$(winepath -w "$APP/Vellumway.scr" 2>/dev/null) go=$(winepath -w "$E2E_TMP/go" 2>/dev/null)
said() { grep -m1 -e 'err:' -e 'wine: ' "$E2E_TMP/err"; }  # Wine's first error line
failed=0
for i in $(seq "$CYCLES"); do
  rm -f "$E2E_TMP/x.reg" "$E2E_TMP/go"
  wine reg export 'HKCU\Control Panel\Desktop' "$E2E_TMP/x.reg" /y >/dev/null 2>"$E2E_TMP/err" &&
    [ -s "$E2E_TMP/x.reg" ] || { failed=$((failed + 1)); echo "cycle $i, export: $(said)"; }
  wine "$DRIVER" launch "$scr" /s click "$go" >"$E2E_TMP/out" 2>"$E2E_TMP/err" &
  pid=$!
  wait_for 60 eval "grep -q '^outcome=' '$E2E_TMP/out' || ! kill -0 $pid 2>/dev/null"
  touch "$E2E_TMP/go"; wait $pid
  grep -q '^outcome=window' "$E2E_TMP/out" && grep -q '^exit_code=0' "$E2E_TMP/out" ||
    { failed=$((failed + 1)); echo "cycle $i, launch: $(tr -d '\r' <"$E2E_TMP/out" | head -n1) $(said)"; }
done
echo "wine_starts: $CYCLES cycles (3 Wine starts each), address layout $LAYOUT: $failed failed"
