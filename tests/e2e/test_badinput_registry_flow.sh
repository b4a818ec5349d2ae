#!/usr/bin/env bash
# Hand-edited values of the keys that decide which verse comes and when, and of the reserved
# keys, each kind of bad value on each key (the table is in badinput_registry.sh); then the
# remembered command line "PrevInstance" while another run is on the screen.
. "$(dirname "$0")/lib.sh"
. "$(dirname "$0")/outside.sh"
. "$(dirname "$0")/badinput_registry.sh"
outside_setup 1024x768

registry_reference
registry_cases ChangeSec Display Content FreeText LastSection LastVerse

# --- "PrevInstance" while a full-screen run is on the screen ------------------------------
# Only a stored value that is empty (or reads as empty: not a string) or exactly "/s" stops a
# second full-screen start; it then ends at once and leaves the value alone. Any other value
# lets it through, and it stores "/s".
reset_store
start_scr /s
FIRST=$SCR_PID
display_info >/dev/null
prev_case() {  # prev_case LABEL EXPECT(stop|pass) SETTER...
  local label="PrevInstance=$1" expect=$2; shift 2
  CASES=$((CASES + 1))
  "$@"
  settings_text "$E2E_TMP/before"
  launch_case "/s" 5000 click 500
  settings_text "$E2E_TMP/after"
  if [ "$expect" = stop ]; then
    expect_eq "$label: a second /s ends at once" "ended 0" "${R[outcome]:-} ${R[exit_code]:-}"
    expect_eq "$label: left as it was" "$(raw_value PrevInstance "$E2E_TMP/before" | cut -c1-60)" \
      "$(raw_value PrevInstance "$E2E_TMP/after" | cut -c1-60)"
  else
    expect_eq "$label: a second /s shows its window and ends on a click" "window 1 0" \
      "${R[outcome]:-} ${R[ended]:-} ${R[exit_code]:-}"
    expect_eq "$label: /s is stored" '"/s"' "$(raw_value PrevInstance "$E2E_TMP/after")"
  fi
  expect_eq "$label: only the first run's window is left" 1 "${R[windows_left]:-x}"
  expect_eq "$label: the options are kept" \
    "$(other_values "$E2E_TMP/before" PrevInstance LastSection LastVerse)" \
    "$(other_values "$E2E_TMP/after" PrevInstance LastSection LastVerse)"
  expect_true "$label: the first run goes on" kill -0 "$FIRST"
}
prev_case empty stop reg_set Startup PrevInstance ""
prev_case blanks pass reg_set Startup PrevInstance "   "
prev_case text pass reg_set Startup PrevInstance "abc"
prev_case fraction pass reg_set Startup PrevInstance "2.5"
prev_case negative pass reg_set Startup PrevInstance "-3"
prev_case huge pass reg_set Startup PrevInstance "99999999999999999999"
prev_case long pass reg_set Startup PrevInstance "$LONG_TEXT"
prev_case dword stop reg_set Startup PrevInstance 5 REG_DWORD
prev_case binary stop reg_set Startup PrevInstance 0500 REG_BINARY
prev_case multi stop reg_set Startup PrevInstance /s REG_MULTI_SZ
prev_case expand pass reg_set Startup PrevInstance 2 REG_EXPAND_SZ
prev_case '/s' stop reg_set Startup PrevInstance /s
prev_case '/S' pass reg_set Startup PrevInstance /S
prev_case '[ /s]' pass reg_set Startup PrevInstance " /s"
prev_case '/p 1234' pass reg_set Startup PrevInstance "/p 1234"
prev_case '/c' pass reg_set Startup PrevInstance /c
reg_delete() { wine reg delete "$REG_STARTUP" /v PrevInstance /f >/dev/null 2>&1; }
prev_case 'absent' stop reg_delete
xdotool click 1
wait_exit "$FIRST" 5
expect_eq "the first run ends on a click" "1 0" "$ENDED $EXIT"
expect_eq "no window is left" 0 "$(program_windows)"

echo "cases: $CASES"
e2e_finish
