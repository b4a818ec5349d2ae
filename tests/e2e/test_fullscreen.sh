#!/usr/bin/env bash
# Full screen under Wine: the window, what it shows, what ends it and what it remembers.
. "$(dirname "$0")/lib.sh"
e2e_setup 1024x768

centre() { xdotool mousemove 512 384; }

# --- the window and the first verse on black ---------------------------------------------
reg_set Settings ChangeSec 30 && reg_set Settings Color 1 && reg_set Settings FontSize 45
centre
start_scr /s
info=$(display_info)
expect_eq "a display window appears" "1" "$(info_value "$info" found)"
expect_eq "it covers the whole screen" "0,0,1024,768" "$(info_value "$info" rect)"
expect_eq "it is topmost" "1" "$(info_value "$info" topmost)"
expect_eq "it has no caption" "0" "$(info_value "$info" caption)"
sleep 2
shot=$(screenshot fullscreen-black)
lit=$(region_count "$shot" 1024x300+0+234 'max(r,max(g,b))>0.25')
expect_true "the centre shows text ($lit bright pixels)" test "${lit:-0}" -gt 300
# Shades of green are (L, 2L, L) capped at 255: green leads and red equals blue.
offshade=$(region_count "$shot" 1024x300+0+234 'max(r,max(g,b))>0.25 && (g+0.06<r || g+0.06<b || abs(r-b)>0.12)')
expect_eq "every text pixel is a shade of green" "0" "$offshade"
expect_eq "the top edge is black" "0" "$(region_max "$shot" 1024x40+0+0)"
expect_eq "the left edge is black" "0" "$(region_max "$shot" 8x768+0+0)"
expect_eq "the right edge is black" "0" "$(region_max "$shot" 8x768+1016+0)"

# --- what ends it ----------------------------------------------------------------------
xdotool mousemove_relative -- 4 0; sleep 0.7
xdotool mousemove_relative -- 0 4; sleep 0.7
expect_true "4-pixel movements leave it running" kill -0 "$SCR_PID"
xdotool key a; sleep 0.3; xdotool key Escape; xdotool key Return; sleep 0.7
expect_true "keys leave it running" kill -0 "$SCR_PID"
xdotool mousemove_relative -- 5 0
expect_true "a 5-pixel movement ends it" wait_gone "$SCR_PID" 5
expect_eq "the position is saved (all verses)" "1" "$(reg_get Settings LastSection)"
expect_eq "the verse on show is remembered" "1" "$(reg_get Settings LastVerse)"
info=$(driver window-info VellumwayDisplay 500)
expect_eq "no display window is left" "0" "$(info_value "$info" found)"

centre
start_scr /s
display_info >/dev/null
sleep 1
xdotool click 1
expect_true "a click ends it" wait_gone "$SCR_PID" 5

# --- resume across runs ------------------------------------------------------------------
# All topics, at the last verse of the whole text: the next verse is the first of the Ten
# Commandments, and the next run goes on from there.
reg_set Settings Display 63 && reg_set Settings LastSection 1 && reg_set Settings LastVerse 31102
reg_set Settings ChangeSec 3
centre
start_scr /s
display_info >/dev/null
sleep 5   # 31102 shows first; about three seconds later the first commandment verse
xdotool click 1
wait_gone "$SCR_PID" 5
expect_eq "after the last verse comes the Ten Commandments" "2" "$(reg_get Settings LastSection)"
expect_eq "at its first entry" "1" "$(reg_get Settings LastVerse)"
centre
start_scr /s
display_info >/dev/null
sleep 1.5
xdotool click 1
wait_gone "$SCR_PID" 5
expect_eq "the next run continues with the second entry" "2" "$(reg_get Settings LastVerse)"

# --- second instance ----------------------------------------------------------------------
reg_set Settings Display 1 && reg_set Settings ChangeSec 30
centre
start_scr /s
first=$SCR_PID
display_info >/dev/null
(cd "$APP" && wine "$APP/Vellumway.scr" /S) >/dev/null 2>&1 &
second=$!
expect_true "a second /s ends at once" wait_gone "$second" 10
expect_eq "and leaves PrevInstance as it was" "/s" "$(reg_get Startup PrevInstance)"
(cd "$APP" && wine "$APP/Vellumway.scr" /p 1234) >/dev/null 2>&1 &
third=$!
wait_gone "$third" 10
expect_eq "a preview start is let through" "/p 1234" "$(reg_get Startup PrevInstance)"
expect_true "the first run is still there" kill -0 "$first"
xdotool click 1
wait_gone "$first" 5

# --- transparent background -------------------------------------------------------------
wine "$DRIVER" solid-window 30 60 90 >/dev/null 2>&1 &
solid=$!
sleep 1.5
reg_set Settings ScreenColor 1
centre
start_scr /s
display_info >/dev/null
sleep 2
shot=$(screenshot fullscreen-transparent)
expect_eq "the desktop shows at the top left" "30,60,90" "$(pixel_colour "$shot" 3 3)"
expect_eq "the desktop shows at the bottom right" "30,60,90" "$(pixel_colour "$shot" 1020 764)"
# Green is 2L with L at least 51: every shade clears 0.3, whatever the random level.
lit=$(region_count "$shot" 1024x300+0+234 'g>0.3')
expect_true "the verse is drawn over it ($lit pixels)" test "${lit:-0}" -gt 300
xdotool click 1
wait_gone "$SCR_PID" 5
kill "$solid" 2>/dev/null
reg_set Settings ScreenColor 0

# --- a missing kjv.dat -------------------------------------------------------------------
reg_set Settings LastSection 8 && reg_set Settings LastVerse 5
rm -f "$APP/kjv.dat"
start_scr /s
expect_true "without kjv.dat the program ends" wait_gone "$SCR_PID" 10
info=$(driver window-info VellumwayDisplay 300)
expect_eq "and leaves no window" "0" "$(info_value "$info" found)"
expect_eq "LastSection is unchanged" "8" "$(reg_get Settings LastSection)"
expect_eq "LastVerse is unchanged" "5" "$(reg_get Settings LastVerse)"

e2e_finish
