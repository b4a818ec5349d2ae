#!/usr/bin/env bash
# The checks of the real GDI surfaces, the desktop capture, the growth frames and what the
# windows do on a real desk that Wine cannot show (tests/win32), on a virtual display. Each program prints one line a check and ends with a non-zero code when
# one fails.
. "$(dirname "$0")/lib.sh"
e2e_setup 1024x768
cd "$E2E_TMP" || exit 1
expect_true "the surface checks pass" wine "$VW_WINBUILD/tests/win32/surface_checks.exe"
expect_true "growth frames show what complete frames show" \
  wine "$VW_WINBUILD/tests/win32/frame_checks.exe"
# Its display runs read kjv.dat beside the program.
cp "$VW_WINBUILD/tests/win32/dialog_checks.exe" "$VW_DIST/kjv.dat" .
expect_true "other scales, high contrast, a blocked printer" wine ./dialog_checks.exe
e2e_finish
