#!/usr/bin/env bash
# Every monitor and every scale: on two monitors (the second right of the primary, then left
# of it) the full-screen window covers both, shows nothing of the desktop, centres the verse
# on the primary and ends on a click or a 5-pixel movement on either; the first frame over the
# transparent background is the desktop image; the desktop image reaches every corner at any
# scale; and every caption of the settings dialog fits its control at any scale.
. "$(dirname "$0")/lib.sh"
e2e_setup 2048x768
XEPHYR="" DESKTOP_PID="" last=""
trap 'rc=$?; [ -n "$XEPHYR" ] && kill "$XEPHYR" 2>/dev/null; (exit $rc); e2e_cleanup' EXIT
DESKTOP_RGB=40,20,200  # the stand-in desktop; no shade of green has more blue than green

# two_monitors PRIMARY: Xephyr with two 1024x768 Xinerama screens side by side on the Xvfb;
# Wine's primary is screen PRIMARY (0 left, 1 right) at (0, 0), so with 1 the other monitor
# has negative coordinates. Then a fresh Wine server, which reads the monitors, and a
# stand-in desktop over both.
two_monitors() {
  [ -n "$XEPHYR" ] && { kill "$XEPHYR"; wait "$XEPHYR" 2>/dev/null; }
  start_x env DISPLAY="$E2E_DISPLAY" Xephyr +xinerama -screen 1024x768 -screen 1024x768
  XEPHYR=$X_PID
  wine reg add 'HKCU\Software\Wine\X11 Driver' /v UseXRandR /d N /f >/dev/null 2>&1
  wine reg add 'HKCU\Software\Wine\X11 Driver' /v PrimaryMonitor /d "$1" /f >/dev/null 2>&1
  wineserver -k; wineserver -w; wineserver -p
  solid_desktop ${DESKTOP_RGB//,/ }
}
# corners SHOT: the corners of every monitor, 2 pixels in, that do not show the desktop image.
corners() {
  for x in 2 1021 1026 2045; do for y in 2 765; do pixel_colour "$1" "$x" "$y"; echo; done; done |
    grep -vx "$DESKTOP_RGB"
}
# start_at SCREENCOLOR X: a full-screen run with the pointer at X, 384, once its window is up.
start_at() {
  reg_set Settings ScreenColor "$1"
  xdotool mousemove "$2" 384
  start_scr /s
  INFO=$(display_info)
}
click_end() { xdotool click 1; expect_true "$1: a click ends it" wait_gone "$SCR_PID" 5; }

# --- two monitors: the window, what it shows, what ends it -------------------------------
reg_set Settings ChangeSec 3600  # no new verse while a case looks, however loaded the machine
while read -r primary screen ending; do
  [ "$primary" = "$last" ] || two_monitors "$primary"
  last=$primary label="primary $primary, ScreenColor $screen" left=$((primary * 1024))
  reg_set Settings LastSection 1 && reg_set Settings LastVerse 26559  # "Jesus wept."
  start_at "$screen" $((1536 - left))  # the pointer on the other monitor
  expect_eq "$label: the window covers both monitors" "$([ "$primary" = 1 ] && echo -1024,0,1024,768 || echo 0,0,2048,768)" \
    "$(info_value "$INFO" rect)"
  settled_shot "two-monitors-primary$primary-$screen" has_text
  read -r w h x y <<<"$(text_box "$SHOT")"
  off=$((x + w / 2 - left - 512))
  expect_true "$label: the verse lies on the primary, centred ($w x $h at $x,$y)" \
    test "$w" -gt 40 -a "$x" -ge "$left" -a $((x + w)) -le $((left + 1024)) -a "${off#-}" -le 8
  if [ "$screen" = 0 ]; then
    expect_eq "$label: nothing of the desktop shows" 0 \
      "$(convert "$SHOT" -fx 'b>g+0.2 ? 1 : 0' -format '%[fx:int(mean*w*h+0.5)]' info:)"
  else
    expect_eq "$label: the desktop image reaches every corner" "" "$(corners "$SHOT")"
  fi
  if [ "$ending" = click ]; then click_end "$label"; else
    xdotool mousemove_relative -- 4 0
    expect_true "$label: a 4-pixel movement on the other monitor leaves it" eval '! wait_gone "$SCR_PID" 1'
    xdotool mousemove_relative -- 0 5
    expect_true "$label: a 5-pixel movement there ends it" wait_gone "$SCR_PID" 5
  fi
done <<<'1 0 move
1 1 click
0 0 click
0 1 move'

# --- the first frame ---------------------------------------------------------------------
# The corners of both monitors, read as fast as possible from the moment the window is
# visible until the verse has grown: over the transparent background never black. A blank
# first frame shows for some tens of milliseconds, and not on every start: three starts.
for screen in 1 1 1 0; do
  reg_set Settings ScreenColor "$screen"
  wine "$DRIVER" first-frames VellumwayDisplay 1200 >"$E2E_TMP/frames.out" 2>/dev/null &
  watcher=$!
  start_scr /s
  wait "$watcher"
  runs=$(sed -n 's/^runs=//p' "$E2E_TMP/frames.out" | tr -d '\r')
  if [ "$screen" = 1 ]; then
    expect_true "over the desktop image no frame is black ($runs)" eval '[ -n "$runs" ] && ! grep -q 000000 <<<"$runs"'
  else
    expect_true "on black the desktop never comes back once black showed ($runs)" \
      eval 'grep -q 000000 <<<"$runs" && ! grep -q "000000.*2814c8" <<<"$runs"'
  fi
  click_end "first frames"
done

# --- every scale: the desktop image at its true size -------------------------------------
for dpi in 96 144 168 192 216; do
  set_dpi "$dpi"
  start_at 1 512
  settled_shot "transparent-$dpi-dpi" has_text
  expect_eq "$dpi DPI: the desktop image reaches every corner of both monitors" "" "$(corners "$SHOT")"
  click_end "$dpi DPI"
done

# --- every scale: the dialog's captions fit ----------------------------------------------
kill "$DESKTOP_PID" 2>/dev/null  # the stand-in desktop would hide the dialog in the screenshots
for dpi in 96 144 192; do  # ScreenColor is 1: "Drop Shadow Text" shows only with "Transparent"
  set_dpi "$dpi"
  start_scr /c
  captions_fit "$dpi DPI" "$dpi"
  screenshot "dialog-$dpi-dpi" >/dev/null
  driver close >/dev/null
  wait_gone "$SCR_PID" 10
done
e2e_finish
