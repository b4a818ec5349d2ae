#!/usr/bin/env bash
# Start-up under Wine: the defaults on an empty prefix, the remembered command line, and a
# stored transparent background that survives later starts.
. "$(dirname "$0")/lib.sh"
e2e_setup

if run_scr_wait 20 /x; then pass "/x ends at once"; else fail "/x is still running"; fi
expect_eq "PrevInstance holds /x" "/x" "$(reg_get Startup PrevInstance)"
names=$(reg_names Settings | tr '\n' ' ')
expect_eq "exactly the thirteen default keys" \
  "ChangeSec Color ColorType Content Display DropShadow Font FontBold FontItalic FontSize FreeText LastVerse ScreenColor " \
  "$names"
for kv in ChangeSec=15 FontSize=20 FontBold=0 FontItalic=0 DropShadow=0 Font=Arial Color=1 \
          ScreenColor=0 ColorType=0 Content=0 "FreeText=Dadoduz Ivuzozuvodi" Display=1 LastVerse=1; do
  expect_eq "default ${kv%%=*}" "${kv#*=}" "$(reg_get Settings "${kv%%=*}")"
done
expect_eq "no LastSection on a first start" "<absent>" "$(reg_get Settings LastSection)"

reg_set Settings ScreenColor 1
run_scr_wait 20 /x
run_scr_wait 20 /X
expect_eq "a stored ScreenColor of 1 survives starts" "1" "$(reg_get Settings ScreenColor)"
expect_eq "the command line is stored trimmed and lower-cased" "/x" "$(reg_get Startup PrevInstance)"

# A hand-edited empty value is refilled with its default at the next start.
reg_set Settings FontSize ""
run_scr_wait 20 /x
expect_eq "an empty value gets its default again" "20" "$(reg_get Settings FontSize)"

# A preview handle that is no window ends quietly instead of leaving a process behind.
if run_scr_wait 20 /p 1234; then pass "/p with a dead handle ends"; else fail "/p 1234 left a process"; fi
if run_scr_wait 20 /p; then pass "/p without a handle ends"; else fail "/p left a process"; fi

e2e_finish
