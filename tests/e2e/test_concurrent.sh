#!/usr/bin/env bash
# Two processes of the program at once, sharing only the registry: a preview and a full-screen
# run in both orders of ending, and the settings dialog saving while a full-screen run is on
# the screen. Both must work, and the store must end in a state that one of them wrote: the
# position pair of one run (never "LastSection" of one with "LastVerse" of the other), the
# dialog's ten options untouched by the display.
. "$(dirname "$0")/lib.sh"
. "$(dirname "$0")/outside.sh"
outside_setup 1024x768

# Control ids (core/ControlIds.h).
OK=1010 SIZE=1026 BOLD=1023 INTERVAL=1041 SWATCH0=1060 TOPIC_ALL=1070 TOPIC_TEN=1071

position() { echo "$(reg_get Settings LastSection)/$(reg_get Settings LastVerse)"; }
# A pair written by the full-screen run (all verses, past record 100) or by the preview (the
# Ten Commandments, entry 1 to 10).
is_fullscreen_pair() { [ "${1%%/*}" = 1 ] && [ "${1#*/}" -gt 100 ] 2>/dev/null; }
is_preview_pair() { [ "${1%%/*}" = 2 ] && [ "${1#*/}" -ge 1 ] && [ "${1#*/}" -le 10 ] 2>/dev/null; }

# start_preview PAUSE_MS: the driver plays the display-settings dialog and starts a preview
# of 240 x 180 in it, which it clicks after PAUSE_MS. Waits until the preview is there.
start_preview() {
  wine "$DRIVER" preview "$SCR_WIN" 240 180 click "$1" >"$E2E_TMP/preview.txt" 2>/dev/null &
  PREVIEW_DRIVER=$!
  local i
  for i in $(seq 100); do grep -q '^child_found=' "$E2E_TMP/preview.txt" && break; sleep 0.1; done
}
preview_out() { tr -d '\r' <"$E2E_TMP/preview.txt"; }

reset_position() {
  reg_set Settings Display 1 && reg_set Settings ChangeSec 1
  reg_set Settings LastSection 1 && reg_set Settings LastVerse 100
}

# --- a preview ends while a full-screen run goes on --------------------------------------
# The full-screen run loads "Display" 1 (all verses); the preview, started after the store
# was changed to 2, shows the Ten Commandments. Which pair is stored tells who wrote it.
reset_position
start_scr /s
FULL=$SCR_PID
expect_eq "full screen runs" 1 "$(info_value "$(display_info)" found)"
reg_set Settings Display 2
start_preview 3000
out=$(preview_out)
expect_eq "a preview starts beside it" "1 240,180" \
  "$(info_value "$out" child_found) $(info_value "$out" child_client)"
shot=$(screenshot concurrent-both)
lit=$(count_where "$shot" 1024x300+0+234 'r > 0.25 || g > 0.25 || b > 0.25')
expect_true "the full-screen run keeps drawing ($lit pixels)" test "${lit:-0}" -gt 300
wait "$PREVIEW_DRIVER"
out=$(preview_out)
expect_eq "the preview ends on its click" 1 "$(info_value "$out" ended)"
after_preview=$(position)
expect_true "the store holds the preview's pair ($after_preview)" is_preview_pair "$after_preview"
expect_true "the full-screen run is still there" kill -0 "$FULL"
expect_eq "with its window" 1 "$(info_value "$(display_info 2000)" found)"
sleep 1
xdotool click 1
wait_exit "$FULL" 5
expect_eq "then the full-screen run ends on a click" "1 0" "$ENDED $EXIT"
final=$(position)
expect_true "the store ends with the full-screen run's pair ($final)" is_fullscreen_pair "$final"
expect_eq "no window is left" 0 "$(program_windows)"

# --- the full-screen run ends first, the preview goes on ------------------------------------
reset_position
reg_set Settings Display 2
start_preview 6000
out=$(preview_out)
expect_eq "a preview runs" 1 "$(info_value "$out" child_found)"
reg_set Settings Display 1
start_scr /s
FULL=$SCR_PID
expect_eq "a full-screen run starts beside it" 1 "$(info_value "$(display_info)" found)"
sleep 2
xdotool click 1
wait_exit "$FULL" 5
expect_eq "the full-screen run ends on a click" "1 0" "$ENDED $EXIT"
after_full=$(position)
expect_true "the store holds the full-screen run's pair ($after_full)" is_fullscreen_pair "$after_full"
wait "$PREVIEW_DRIVER"
out=$(preview_out)
expect_eq "the preview was still running and ends on its click" 1 "$(info_value "$out" ended)"
final=$(position)
expect_true "the store ends with the preview's pair ($final)" is_preview_pair "$final"
expect_eq "no window is left" 0 "$(program_windows)"

# --- the settings dialog saves while a full-screen run is on the screen ---------------------
# The dialog is opened first: a "/c" start while a full-screen run is the last start ends at
# once (the second-instance guard), checked at the end.
reset_position
reg_set Settings FontSize 20 && reg_set Settings FontBold 0 && reg_set Settings Color 1
start_scr /c
DIALOG=$SCR_PID
expect_eq "the dialog opens" "found=1" "$(driver dialog-info 20000 | grep '^found=')"
start_scr /s
FULL=$SCR_PID
expect_eq "a full-screen run starts while the dialog is open" 1 "$(info_value "$(display_info)" found)"
driver dialog-set-text "$INTERVAL" 7 >/dev/null
driver dialog-select "$SIZE" 33 >/dev/null
driver dialog-click "$BOLD" >/dev/null
driver dialog-click $((SWATCH0 + 3)) >/dev/null
driver dialog-click "$TOPIC_TEN" >/dev/null
driver dialog-click "$TOPIC_ALL" >/dev/null
driver dialog-click "$OK" >/dev/null
wait_exit "$DIALOG" 10
expect_eq "OK ends the dialog" "1 0" "$ENDED $EXIT"
settings_text "$E2E_TMP/saved"
for kv in ChangeSec=7 FontSize=33 FontBold=1 Color=3 Display=2; do
  expect_eq "the dialog stored ${kv%%=*}" "\"${kv#*=}\"" "$(raw_value "${kv%%=*}" "$E2E_TMP/saved")"
done
expect_eq "the display has not written its position yet" "1/100" "$(position)"
expect_true "the full-screen run goes on" kill -0 "$FULL"
sleep 1.5
shot=$(screenshot concurrent-dialog)
lit=$(count_where "$shot" 1024x300+0+234 'r > 0.25 || g > 0.25 || b > 0.25')
expect_true "and keeps drawing ($lit pixels)" test "${lit:-0}" -gt 300
xdotool click 1
wait_exit "$FULL" 5
expect_eq "the full-screen run ends on a click" "1 0" "$ENDED $EXIT"
settings_text "$E2E_TMP/final"
expect_eq "the dialog's ten options are as it wrote them" \
  "$(other_values "$E2E_TMP/saved" LastSection LastVerse PrevInstance)" \
  "$(other_values "$E2E_TMP/final" LastSection LastVerse PrevInstance)"
final=$(position)
# The run shows what it loaded at its start ("Display" 1), not what the dialog stored.
expect_true "the position is the full-screen run's ($final)" is_fullscreen_pair "$final"
expect_eq "no window is left" 0 "$(program_windows)"

# --- "/c" while a full-screen run was the last start -----------------------------------------
reset_position
start_scr /s
FULL=$SCR_PID
display_info >/dev/null
launch_case "/c" 5000 close
expect_eq "a /c start ends at once while full screen runs" "ended 0" \
  "${R[outcome]:-} ${R[exit_code]:-}"
expect_eq "and leaves PrevInstance at /s" "/s" "$(reg_get Startup PrevInstance)"
xdotool click 1
wait_exit "$FULL" 5
expect_eq "the full-screen run ends on a click" "1 0" "$ENDED $EXIT"

e2e_finish
