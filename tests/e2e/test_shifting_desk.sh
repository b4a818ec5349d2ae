#!/usr/bin/env bash
# A desk that changes under the program: a preview in a DPI-unaware host fills it at 96 and
# 144 DPI; on two monitors another one becomes the primary (Wine moves every monitor and sends
# WM_DISPLAYCHANGE itself) under a running saver over the desktop image and a running preview;
# then one monitor's mode changes (RandR on Xephyr, by ChangeDisplaySettingsExW).
. "$(dirname "$0")/lib.sh"
e2e_setup 2048x1024
XEPHYR=""
trap 'rc=$?; [ -n "$XEPHYR" ] && kill "$XEPHYR" 2>/dev/null; (exit $rc); e2e_cleanup' EXIT
DESKTOP_RGB=40,20,200 BLACK=0,0,0 X11='HKCU\Software\Wine\X11 Driver'

# --- the preview in a DPI-unaware host ---------------------------------------------------
# (Wine reports every window's awareness as the host's, whatever the preview does: only its
# place tells.)
for dpi in 96 144; do
  set_dpi "$dpi"
  out=$(driver launch "$APP/Vellumway.scr" "/p %UNAWARE%" close-parent 'C:\windows' | tr '\n' ' ')
  for kv in outcome=window window_in_host=1 window_fills=1 ended=1; do
    expect_true "$dpi DPI: the preview in an unaware host: $kv" grep -q " $kv \|^$kv " <<<" $out"
  done
done
set_dpi 96

# desk X XEPHYR_ARGS... : a fresh Xephyr and Wine server (which reads the monitors), the stand-in
# desktop over every monitor, and a full-screen run over it with the pointer at X, 384.
desk() {
  local x=$1; shift
  [ -n "$XEPHYR" ] && { kill "$XEPHYR"; wait "$XEPHYR" 2>/dev/null; }
  start_x env DISPLAY="$E2E_DISPLAY" Xephyr "$@"
  XEPHYR=$X_PID first=""
  wineserver -k; wineserver -w; wineserver -p
  solid_desktop ${DESKTOP_RGB//,/ }
  xdotool mousemove "$x" 384
  start_scr /s
}
# shown LABEL RECT LEFT W H PIXELS: the window covers RECT (screen coordinates); the verse is as
# large as at the start and centred on the primary, shown at LEFT, 0 of the display, W x H; the
# display shows PIXELS ("x,y=r,g,b ...": the desktop image, or black where it was not).
shown() {
  expect_eq "$1: the window covers the screen" "$2" \
    "$(info_value "$(driver window-info VellumwayDisplay 15000)" rect)"
  settled_shot "desk-$1" has_text
  read -r w h x y <<<"$(text_box "$SHOT")"
  off=$((x + w / 2 - $3 - $4 / 2)) offy=$((y + h / 2 - $5 / 2))
  first=${first:-$w $h $offy}
  read -r w0 h0 offy0 <<<"$first"
  d=$(((w - w0) ** 2 + (h - h0) ** 2 + (offy - offy0) ** 2))  # a pixel or so of anti-aliasing
  expect_true "$1: the verse is centred on the primary as at the start, as large (${w}x$h at $x,$y)" \
    test "$w" -gt 40 -a "${off#-}" -le 8 -a "$d" -le 3
  expect_eq "$1: the desktop image stays, black beyond it" "$6" \
    "$(for p in $6; do xy=${p%=*}; echo "$xy=$(pixel_colour "$SHOT" ${xy/,/ })"; done | xargs)"
}
reg_set Settings ScreenColor 1 && reg_set Settings ChangeSec 900
reg_set Settings LastSection 1 && reg_set Settings LastVerse 26559  # "Jesus wept."

# --- two monitors: the other one becomes the primary --------------------------------------
wine reg add "$X11" /v UseXRandR /d N /f >/dev/null 2>&1
wine reg add "$X11" /v PrimaryMonitor /d 0 /f >/dev/null 2>&1
desk 1536 +xinerama -screen 1024x768 -screen 1024x768
shown "primary left" 0,0,2048,768 0 1024 768 "2,2=$DESKTOP_RGB 2045,765=$DESKTOP_RGB"
wine "$DRIVER" launch "$APP/Vellumway.scr" "/p %HOST%" close-parent "$E2E_TMP/go" 2>/dev/null |
  tr -d '\r' >"$E2E_TMP/preview.out" &
wait_for 30 grep -q window_fills=1 "$E2E_TMP/preview.out"
wine reg add "$X11" /v PrimaryMonitor /d 1 /f >/dev/null 2>&1
expect_eq "the primary changes" changed=0 "$(driver display-mode 1024 768)"
wait_for 10 eval '[ "$(info_value "$(driver window-info VellumwayDisplay)" rect)" = -1024,0,1024,768 ]'
touch "$E2E_TMP/go"
expect_true "the preview still fills its host after the change, and ends with it" \
  wait_for 30 eval 'tr "\n" " " <"$E2E_TMP/preview.out" | grep -q "window_fills_at_go=1 .*ended=1"'
# Wine moves the pointer's coordinates with the monitors, and tells the saver once a window goes.
expect_true "the pointer left still leaves the saver running" eval '! wait_gone "$SCR_PID" 1'
shown "primary right" -1024,0,1024,768 1024 1024 768 \
  "2,2=$BLACK 1021,765=$BLACK 1026,2=$DESKTOP_RGB 2045,765=$DESKTOP_RGB"
# Windows follows the window's move with a WM_MOUSEMOVE that records where the pointer is.
# Wine sends it now and then, sometimes with the coordinates from before the change: a 1-pixel
# nudge is recorded, or already ends it; the 5-pixel movement after it must end it.
xdotool mousemove_relative -- 0 1
xdotool mousemove_relative -- 0 5
expect_true "a 5-pixel movement after the change ends it" wait_gone "$SCR_PID" 5

# --- one monitor whose mode changes -------------------------------------------------------
wine reg delete "$X11" /f >/dev/null 2>&1
desk 512 -resizeable -screen 1024x768
shown 1024x768 0,0,1024,768 0 1024 768 "2,2=$DESKTOP_RGB 1021,765=$DESKTOP_RGB"
for mode in "1280 1024" "800 600"; do
  expect_eq "the mode changes to $mode" changed=0 "$(driver display-mode $mode)"
  set -- $mode
  wait_for 10 eval '[ "$(info_value "$(driver window-info VellumwayDisplay)" rect)" = "0,0,$1,$2" ]'
  shown "$1x$2" "0,0,$1,$2" 0 "$1" "$2" \
    "2,2=$DESKTOP_RGB $(($1 - 3)),$(($2 - 3))=$([ "$1" = 800 ] && echo "$DESKTOP_RGB" || echo $BLACK)"
done
xdotool click 1
expect_true "a click still ends it" wait_gone "$SCR_PID" 5
expect_eq "the place is saved" 26559 "$(reg_get Settings LastVerse)"
e2e_finish
