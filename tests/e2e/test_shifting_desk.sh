#!/usr/bin/env bash
# A desk that changes under the program. A preview takes its host's DPI awareness (a host
# made in a DPI-unaware thread) and fills the host at 96 and 144 DPI. A display whose mode
# changes while the saver runs (a real change: RandR on Xephyr, asked for with
# ChangeDisplaySettingsExW, after which Wine itself sends WM_DISPLAYCHANGE) is covered again:
# the window takes the new screen, the verse goes on, centred on it, and over the transparent
# background the desktop image stays where it still falls on the screen, black elsewhere.
. "$(dirname "$0")/lib.sh"
e2e_setup 1280x1024
XEPHYR=""
trap 'rc=$?; [ -n "$XEPHYR" ] && kill "$XEPHYR" 2>/dev/null; (exit $rc); e2e_cleanup' EXIT

# --- the preview in a DPI-unaware host ---------------------------------------------------
for dpi in 96 144; do
  set_dpi "$dpi"
  out=$(driver launch "$APP/Vellumway.scr" "/p %UNAWARE%" close-parent 'C:\windows' | tr '\n' ' ')
  for kv in outcome=window window_in_host=1 host_awareness=0 window_awareness=0 window_fills=1 ended=1; do
    expect_true "$dpi DPI: the preview in an unaware host: $kv" grep -q " $kv \|^$kv " <<<" $out"
  done
done
set_dpi 96

# --- a display mode that changes ----------------------------------------------------------
start_x env DISPLAY="$E2E_DISPLAY" Xephyr -resizeable -screen 1024x768
XEPHYR=$X_PID
wineserver -k; wineserver -w; wineserver -p
DESKTOP_RGB=40,20,200
solid_desktop ${DESKTOP_RGB//,/ }
reg_set Settings ScreenColor 1 && reg_set Settings ChangeSec 60
reg_set Settings LastSection 1 && reg_set Settings LastVerse 26559  # "Jesus wept."
xdotool mousemove 512 384
start_scr /s
# shown W H [CORNER]: the window covers the screen of W x H, which shows the verse centred as
# at the start and at its full size, the stand-in desktop at the top left and CORNER (black
# by default) at the bottom right.
shown() {
  expect_eq "$1 x $2: the window covers the screen" "0,0,$1,$2" \
    "$(info_value "$(driver window-info VellumwayDisplay 15000)" rect)"
  settled_shot "display-$1x$2" has_text
  read -r w h x y <<<"$(text_box "$SHOT")"
  off=$((x + w / 2 - $1 / 2)) offy=$((y + h / 2 - $2 / 2))
  first=${first:-$w $h $offy}
  expect_true "$1 x $2: the verse is centred as at the start, as large (${w}x$h at $x,$y)" \
    test "$w" -gt 40 -a "${off#-}" -le 8 -a "$first" = "$w $h $offy"
  expect_eq "$1 x $2: the desktop image stays, black beyond it" "$DESKTOP_RGB ${3:-0,0,0}" \
    "$(pixel_colour "$SHOT" 2 2) $(pixel_colour "$SHOT" $(($1 - 3)) $(($2 - 3)))"
}
shown 1024 768 "$DESKTOP_RGB"
for mode in "1280 1024" "800 600"; do
  expect_eq "the mode changes to $mode" changed=0 "$(driver display-mode $mode)"
  wait_for 10 eval '[ "$(info_value "$(driver window-info VellumwayDisplay)" rect)" = "0,0,${mode/ /,}" ]'
  shown $mode "$([ "$mode" = "800 600" ] && echo "$DESKTOP_RGB")"
done
xdotool click 1
expect_true "a click still ends it" wait_gone "$SCR_PID" 5
expect_eq "the place is saved" 26559 "$(reg_get Settings LastVerse)"
e2e_finish
