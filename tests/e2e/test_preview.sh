#!/usr/bin/env bash
# Preview under Wine: the test driver plays the display-settings dialog's host window.
. "$(dirname "$0")/lib.sh"
e2e_setup 800x600

reg_set Settings ChangeSec 30
SCR_WIN="$(winepath -w "$APP/Vellumway.scr" 2>/dev/null)"

wine "$DRIVER" preview "$SCR_WIN" 240 180 click 2500 >"$E2E_TMP/click.txt" 2>/dev/null
out=$(tr -d '\r' <"$E2E_TMP/click.txt")
expect_eq "a child window appears in the host" "1" "$(info_value "$out" child_found)"
expect_eq "it is a child" "1" "$(info_value "$out" child_child)"
expect_eq "and no longer a popup" "0" "$(info_value "$out" child_popup)"
expect_eq "it fills the host's client area" "240,180" "$(info_value "$out" child_client)"
expect_eq "its parent is the host" "$(info_value "$out" host)" "$(info_value "$out" child_parent)"
expect_eq "its caption is Preview" "Preview" "$(info_value "$out" child_title)"
expect_eq "a click ends it" "1" "$(info_value "$out" ended)"
expect_eq "the position is saved" "1" "$(reg_get Settings LastSection)"
# What the preview draws cannot be seen here: Wine paints a child window only from the
# process that owns its top-level window, so a preview child of another process stays blank
# under Wine (on Windows it draws). Its frames are checked by the unit tests.

reg_set Settings LastVerse 500
wine "$DRIVER" preview "$SCR_WIN" 200 150 move 1500 >"$E2E_TMP/move.txt" 2>/dev/null
out=$(tr -d '\r' <"$E2E_TMP/move.txt")
expect_eq "mouse movement does not end a preview" "0" "$(info_value "$out" ended)"

reg_set Settings LastVerse 700
wine "$DRIVER" preview "$SCR_WIN" 200 150 destroy-parent 1500 >"$E2E_TMP/gone.txt" 2>/dev/null
out=$(tr -d '\r' <"$E2E_TMP/gone.txt")
expect_eq "the preview ends with its parent" "1" "$(info_value "$out" ended)"
ms=$(info_value "$out" end_ms)
expect_true "within a second ($ms ms)" test "${ms:-9999}" -lt 1000
expect_eq "saving its position" "700" "$(reg_get Settings LastVerse)"

e2e_finish
