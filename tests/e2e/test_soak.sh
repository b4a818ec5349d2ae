#!/usr/bin/env bash
# A long full-screen run, one verse a second: the process's GDI objects and memory must not
# grow. Prints the figures. VW_SOAK_SECONDS sets the length (default: about 210 verses).
. "$(dirname "$0")/lib.sh"
e2e_setup 1024x768

seconds=${VW_SOAK_SECONDS:-280}
reg_set Settings ChangeSec 1
xdotool mousemove 512 384
start_scr /s
display_info >/dev/null
sleep 30
early=$(driver window-stats VellumwayDisplay)
sleep $((seconds - 30))
late=$(driver window-stats VellumwayDisplay)
xdotool click 1
wait_gone "$SCR_PID" 5
verses=$(reg_get Settings LastVerse)

gdi0=$(info_value "$early" gdi_table_objects); gdi1=$(info_value "$late" gdi_table_objects)
ws0=$(info_value "$early" working_set_kb); ws1=$(info_value "$late" working_set_kb)
peak=$(info_value "$late" peak_working_set_kb)
echo "soak: verses=$verses seconds=$seconds gdi_objects_at_30s=$gdi0 gdi_objects_at_end=$gdi1" \
     "working_set_kb_at_30s=$ws0 working_set_kb_at_end=$ws1 peak_working_set_kb=$peak"
expect_true "at least 200 verses were shown ($verses)" test "${verses:-0}" -ge 200
expect_true "GDI objects were counted ($gdi0)" test "${gdi0:-0}" -gt 0
expect_eq "GDI objects do not grow" "$gdi0" "$gdi1"
expect_true "memory does not grow (${ws0} -> ${ws1} KiB)" test "$((ws1 - ws0))" -lt 2048

e2e_finish
