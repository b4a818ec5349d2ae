#!/usr/bin/env bash
# The real GDI surfaces and the desktop capture under Wine: sizes realised exactly, text drawn
# anti-aliased over a transparent background, fonts released, the capture of a known screen.
. "$(dirname "$0")/lib.sh"
e2e_setup 1024x768

out=$(cd "$E2E_TMP" && wine "$VW_WINBUILD/bench/frame_bench.exe" --check 2>/dev/null | tr -d '\r')
printf '%s\n' "$out" | sed 's/^/  /'
checks=$(printf '%s\n' "$out" | grep -c '^ok' || true)
failed=$(printf '%s\n' "$out" | grep -c '^FAIL' || true)
expect_true "the surface checks ran ($checks)" test "$checks" -ge 10
expect_eq "none failed" "0" "$failed"

e2e_finish
