#!/usr/bin/env bash
# Every monitor and every scale: on two monitors (the second right of the primary, then left
# of it) the full-screen window covers both, shows nothing of the desktop, centres the verse
# on the primary and ends on a click or a 5-pixel movement on either; the first frame over the
# transparent background is the desktop image; the desktop image reaches every corner at any
# scale; and every caption of the settings dialog fits its control at any scale.
. "$(dirname "$0")/lib.sh"
e2e_setup 2048x768
XEPHYR="" DESKTOP_PID=""
trap 'rc=$?; [ -n "$XEPHYR" ] && kill "$XEPHYR" 2>/dev/null; (exit $rc); e2e_cleanup' EXIT

DESKTOP='40 20 200'    # the stand-in desktop; no shade of green has more blue than green
DESKTOP_RGB=40,20,200
LIT='g>0.3'            # the verse (green shades; white at the brightest) and nothing else

# two_monitors PRIMARY: Xephyr with two 1024x768 Xinerama screens side by side, left and right,
# on the Xvfb; Wine's primary is screen PRIMARY (0 left, 1 right) and sits at (0, 0), so with
# 1 the other monitor has negative coordinates. Then a fresh Wine server, which reads the
# monitors, the scale and a stand-in desktop over both.
two_monitors() {
  [ -n "$XEPHYR" ] && { kill "$XEPHYR"; wait "$XEPHYR" 2>/dev/null; }
  local n; n=$(free_display)
  DISPLAY=":$E2E_DISPLAY" Xephyr ":$n" +xinerama -screen 1024x768 -screen 1024x768 \
    -nolisten tcp >/dev/null 2>&1 &
  XEPHYR=$!
  for _ in $(seq 50); do [ -e "/tmp/.X11-unix/X$n" ] && break; sleep 0.1; done
  export DISPLAY=":$n"
  wine reg add 'HKCU\Software\Wine\X11 Driver' /v UseXRandR /d N /f >/dev/null 2>&1
  wine reg add 'HKCU\Software\Wine\X11 Driver' /v PrimaryMonitor /d "$1" /f >/dev/null 2>&1
  restart_wine
}
restart_wine() {
  wineserver -k; wineserver -w; wineserver -p
  wine "$DRIVER" desktop $DESKTOP >"$E2E_TMP/desktop.out" 2>/dev/null &
  DESKTOP_PID=$!
  for _ in $(seq 100); do grep -q desktop=1 "$E2E_TMP/desktop.out" && break; sleep 0.1; done
}
set_dpi() {
  wine reg add 'HKCU\Control Panel\Desktop' /v LogPixels /t REG_DWORD /d "$1" /f >/dev/null 2>&1
  wine reg add 'HKCC\Software\Fonts' /v LogPixels /t REG_DWORD /d "$1" /f >/dev/null 2>&1
}

# settled NAME: a screenshot once the verse has grown: two shots alike with the verse in them.
settled() {
  local shot prev="" i
  for i in $(seq 40); do
    shot=$(screenshot "$1")
    if [ -n "$prev" ] && cmp -s "$shot" "$prev" && [ "$(text_box "$shot")" != "0 0 0 0" ]; then
      echo "$shot"; return
    fi
    prev="$E2E_TMP/prev.png"; cp "$shot" "$prev"
  done
  echo "$shot"
}
# text_box SHOT: "width height x y" of the verse's pixels ("0 0 0 0" when none).
text_box() {
  convert "$1" -channel G -separate -threshold 30% -format '%@' info: 2>/dev/null |
    sed 's/[x+]/ /g; s/^0 0 .*/0 0 0 0/'
}
# corners SHOT: the colour at the corners of every monitor, 2 pixels in, one per line.
corners() {
  local x y
  for x in 2 1021 1026 2045; do for y in 2 765; do pixel_colour "$1" "$x" "$y"; echo; done; done
}

# --- two monitors: the window, what it shows, what ends it -------------------------------
# layout: which Xinerama screen is primary, where its left edge is in the screenshot, and
# the virtual screen as Windows reports it. Rows: layout, background, how the run ends.
run_two_monitors() {  # run_two_monitors PRIMARY_SCREEN BACKGROUND ENDING
  local primary=$1 background=$2 ending=$3 label="primary $1, $2"
  local left=$(( primary * 1024 )) other_centre=$(( 1536 - primary * 1024 ))
  local virtual="0,0,2048,768"; [ "$primary" = 1 ] && virtual="-1024,0,1024,768"
  reg_set Settings ScreenColor "$([ "$background" = transparent ] && echo 1 || echo 0)"
  reg_set Settings LastSection 1 && reg_set Settings LastVerse 26559  # "Jesus wept."
  xdotool mousemove "$other_centre" 384
  start_scr /s
  expect_eq "$label: the window covers both monitors" "$virtual" \
    "$(info_value "$(display_info)" rect)"
  local shot; shot=$(settled "two-monitors-primary$primary-$background")
  read -r w h x y <<<"$(text_box "$shot")"
  expect_true "$label: the verse lies on the primary ($w x $h at $x,$y)" \
    test "$w" -gt 40 -a "$x" -ge "$left" -a $(( x + w )) -le $(( left + 1024 ))
  local off=$(( x + w / 2 - left - 512 ))
  expect_true "$label: centred across it (off by $off)" test "${off#-}" -le 8
  if [ "$background" = black ]; then
    expect_eq "$label: nothing of the desktop shows" 0 \
      "$(region_count "$shot" 2048x768+0+0 'b>g+0.2')"
  else
    expect_eq "$label: the desktop image reaches every corner" "" \
      "$(corners "$shot" | grep -vx "$DESKTOP_RGB")"
  fi
  wine reg delete "$REG_SETTINGS" /v LastVerse /f >/dev/null 2>&1
  if [ "$ending" = click ]; then
    xdotool click 1
    expect_true "$label: a click on the other monitor ends it" wait_gone "$SCR_PID" 5
  else
    xdotool mousemove_relative -- 4 0
    expect_true "$label: a 4-pixel movement on the other monitor leaves it" \
      eval '! wait_gone "$SCR_PID" 1'
    xdotool mousemove_relative -- 0 5
    expect_true "$label: a 5-pixel movement there ends it" wait_gone "$SCR_PID" 5
  fi
  expect_eq "$label: the place is saved" "26559" "$(reg_get Settings LastVerse)"
}
reg_set Settings ChangeSec 60
two_monitors 1
expect_eq "Wine sees the second monitor left of the primary" "-1024,0,2048,768" \
  "$(info_value "$(driver monitors)" virtual)"
run_two_monitors 1 black move
run_two_monitors 1 transparent click
two_monitors 0
run_two_monitors 0 black click
run_two_monitors 0 transparent move

# --- the first frame ---------------------------------------------------------------------
# The corners of both monitors, read as fast as possible from the moment the window is
# visible until the verse has grown: over the transparent background never black. A blank
# first frame shows for some tens of milliseconds, and not on every start: three starts.
for background in transparent transparent transparent black; do
  reg_set Settings ScreenColor "$([ "$background" = transparent ] && echo 1 || echo 0)"
  xdotool mousemove 512 384
  wine "$DRIVER" first-frames VellumwayDisplay 1200 >"$E2E_TMP/frames.out" 2>/dev/null &
  watcher=$!
  start_scr /s
  wait "$watcher"
  runs=$(sed -n 's/^runs=//p' "$E2E_TMP/frames.out" | tr -d '\r')
  log "$background: $runs"
  if [ "$background" = transparent ]; then
    expect_true "over the desktop image no frame is black ($runs)" \
      eval '[ -n "$runs" ] && ! grep -q 000000 <<<"$runs"'
  else
    expect_true "on black the desktop never comes back once black showed ($runs)" \
      eval 'grep -q 000000 <<<"$runs" && ! grep -q "000000.*2814c8" <<<"$runs"'
  fi
  xdotool click 1
  wait_gone "$SCR_PID" 5
done

# --- every scale: the desktop image at its true size -------------------------------------
reg_set Settings ScreenColor 1
for dpi in 96 144 168 192 216; do
  set_dpi "$dpi"
  xdotool mousemove 512 384
  start_scr /s
  display_info >/dev/null
  shot=$(settled "transparent-$dpi-dpi")
  expect_eq "$dpi DPI: the desktop image reaches every corner of both monitors" "" \
    "$(corners "$shot" | grep -vx "$DESKTOP_RGB")"
  xdotool click 1
  wait_gone "$SCR_PID" 5
done

# --- every scale: the dialog's captions fit ----------------------------------------------
kill "$DESKTOP_PID" 2>/dev/null  # the stand-in desktop would hide the dialog in the screenshots
reg_set Settings ScreenColor 1   # "Drop Shadow Text" shows only with "Transparent"
for dpi in 96 144 192; do
  set_dpi "$dpi"
  start_scr /c
  fit=$(driver caption-fit 8000)
  screenshot "dialog-$dpi-dpi" >/dev/null
  expect_eq "$dpi DPI: all $(info_value "$fit" captions) captions fit their controls" 0 \
    "$(info_value "$fit" cut)"
  expect_true "$dpi DPI: every caption was measured" test "$(info_value "$fit" captions)" -ge 17
  driver dialog-close >/dev/null
  wait_gone "$SCR_PID" 10
done
set_dpi 96

e2e_finish
