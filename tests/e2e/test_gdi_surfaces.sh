#!/usr/bin/env bash
# The checks of the real GDI surfaces and the desktop capture (tests/win32), on a virtual display.
. "$(dirname "$0")/lib.sh"
e2e_setup 1024x768
out=$(cd "$E2E_TMP" && wine "$VW_WINBUILD/tests/win32/surface_checks.exe" 2>/dev/null | tr -d '\r')
printf '%s\n' "$out"
expect_true "the surface checks ran" test "$(grep -c '^ok' <<<"$out")" -ge 10
expect_eq "none failed" 0 "$(grep -c '^FAIL' <<<"$out")"
e2e_finish
