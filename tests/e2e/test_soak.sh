#!/usr/bin/env bash
# A full-screen run at one verse a second: the process's GDI objects and memory must not grow
# from the first verses to the last, so that a leak of even one object a verse shows.
# VW_SOAK_SECONDS sets the length (default 60: about 50 verses between the two counts).
. "$(dirname "$0")/lib.sh"
e2e_setup 1024x768

seconds=${VW_SOAK_SECONDS:-60}
reg_set Settings ChangeSec 1
start_scr /s
expect_eq "the display runs" 1 "$(info_value "$(display_info)" found)"
sleep 8  # verses come by the clock: the first few, before the first count
stats=$(driver window-stats VellumwayDisplay $(((seconds - 8) * 1000)))
xdotool click 1
wait_gone "$SCR_PID" 8
verses=$(reg_get Settings LastVerse)

gdi0=$(info_value "$stats" gdi_table_objects) gdi1=$(info_value "$stats" late_gdi_table_objects)
ws0=$(info_value "$stats" working_set_kb) ws1=$(info_value "$stats" late_working_set_kb)
echo "soak: verses=$verses seconds=$seconds gdi_objects=$gdi0..$gdi1 working_set_kb=$ws0..$ws1"
expect_true "many verses came and went ($verses)" test "${verses:-0}" -ge $((seconds / 2))
expect_true "GDI objects were counted ($gdi0)" test "${gdi0:-0}" -gt 0
expect_eq "GDI objects do not grow" "$gdi0" "$gdi1"
expect_true "memory does not grow (${ws0} -> ${ws1} KiB)" test "$((ws1 - ws0))" -lt 2048
e2e_finish
