#!/usr/bin/env bash
# The settings dialog under Wine: "/c" shows the stored options in the places and texts of
# the layout (at 100% and 150%), "OK" stores exactly the ten options, a failed check shows
# its warning and writes nothing, "Cancel" and the close box leave the registry as it was.
. "$(dirname "$0")/lib.sh"
e2e_setup 1024x768
# Wine draws the title bar itself, so that screenshots show it without a window manager.
wine reg add 'HKCU\Software\Wine\X11 Driver' /v Managed /d N /f >/dev/null 2>&1

# Control ids (core/ControlIds.h).
IMAGE1=1000 OK=1010 CANCEL=1011 FONT=1021 SAMPLE=1022 BOLD=1023 ITALIC=1024 SIZE=1026
BLACK=1030 TRANSPARENT=1031 SHADOW=1032 INTERVAL=1041 SHADES=1050 RANDOM_COLOUR=1051 PANEL=1052
SWATCH0=1060 TOPIC0=1070
TOPIC_ALL=1070 TOPIC_TEN=1071 TOPIC_PROPHECIES=1075

# Every control's place, kind and caption (read from the real controls with WM_GETTEXT).
LAYOUT=$(grep -v '^#' "$(dirname "$0")/dialog_layout.tsv")
DPI=96
px() { echo $(( ($1 * DPI * 2 + 1440) / 2880 )); }  # twips to pixels, rounded as MulDiv

declare -A C=()
# Reads every control of the open dialog into C["ID.key"].
load_controls() {
  C=()
  local k v
  while IFS='=' read -r k v; do [ -n "$k" ] && C[$k]=$v; done < <(driver dialog-get)
}
declare -A D=()
load_info() {
  D=()
  local k v
  while IFS='=' read -r k v; do [ -n "$k" ] && D[$k]=$v; done < <(driver dialog-info "${1:-5000}")
}

# The place of a control in the dialog's client area, in pixels: each container's offset
# converted on its own, as the window system places a child inside its parent.
origin_x() { local id=$1; [ "$id" = 0 ] && { echo 0; return; }
  local row; row=$(grep "^$id"$'\t' <<<"$LAYOUT"); set -- $row
  echo $(( $(px "$3") + $(origin_x "$2") )); }
origin_y() { local id=$1; [ "$id" = 0 ] && { echo 0; return; }
  local row; row=$(grep "^$id"$'\t' <<<"$LAYOUT"); set -- $row
  echo $(( $(px "$4") + $(origin_y "$2") )); }

# A caption too wide for its place under this system's fonts widens it and moves the rest of
# its row (test_screens.sh checks that every caption fits): these keep only their row.
FITTED=' 1032 1040 1041 1042 1050 1052 1060 1061 1062 1063 1064 1065 '
# check_layout LABEL MARKED_SWATCH: every control's kind, text and place.
check_layout() {
  local label=$1 marked=$2 bad=0 id container l t w h cls text height
  while IFS=$'\t' read -r id container l t w h cls text; do
    height=$h
    if [ "$h" = - ]; then height=100; [ $((id - SWATCH0)) = "$marked" ] && height=195; fi
    local want="$(origin_x "$id"),$(origin_y "$id"),$(px "$w"),$(px "$height")"
    local got=${C[$id.place]:-}
    if [[ "$FITTED" == *" $id "* ]]; then
      want=$(cut -d, -f2,4 <<<"$want"); got=$(cut -d, -f2,4 <<<"$got")
    fi
    if [ "$got" != "$want" ]; then
      fail "$label: place of $id ($text): expected [$want], got [$got]"; bad=1
    fi
    if [ "${C[$id.class],,}" != "${cls,,}" ]; then
      fail "$label: kind of $id: expected [$cls], got [${C[$id.class]:-}]"; bad=1
    fi
    if [ -n "$text" ] && [ "$cls" != Edit ] && [ "${C[$id.text]:-}" != "$text" ]; then
      fail "$label: text of $id: expected [$text], got [${C[$id.text]:-}]"; bad=1
    fi
  done <<<"$LAYOUT"
  [ "$bad" = 0 ] && pass "$label: all $(wc -l <<<"$LAYOUT") controls have their kind, text and place"
}

swatch_heights() {
  local i out=""
  for i in 0 1 2 3 4 5; do out+="${C[$((SWATCH0 + i)).place]##*,} "; done
  echo "$out"
}
topics() {
  local i out=""
  for i in 0 1 2 3 4 5; do out+="${C[$((TOPIC0 + i)).checked]}"; done
  echo "$out"
}

# pixel FILE X Y -> "r,g,b"
pixel() {
  convert "$1" -format "%[fx:round(255*p{$2,$3}.r)],%[fx:round(255*p{$2,$3}.g)],%[fx:round(255*p{$2,$3}.b)]" info:
}
# count_pixels FILE X Y W H AWK_CONDITION_ON_r_g_b
count_pixels() {
  convert "$1" -crop "$4x$5+$2+$3" +repage txt:- | awk -v cond="$6" '
    NR > 1 { s = $2; gsub(/[()]/, "", s); split(s, c, ","); r = c[1]; g = c[2]; b = c[3];
      if (cond == "lightgreen" && g >= 200 && r >= 90 && r <= 170 && b >= 90 && b <= 170) n++ }
    END { print n + 0 }'
}
# crop FILE ID OUT: the control's area of a screenshot.
crop_control() {
  local place=${C[$2.place]} ox=${D[client_origin]%,*} oy=${D[client_origin]#*,}
  IFS=, read -r x y w h <<<"$place"
  convert "$1" -crop "${w}x${h}+$((ox + x))+$((oy + y))" +repage "$3"
}

export_text() { reg_export "$1.reg"; iconv -f UTF-16LE -t UTF-8 "$1.reg" | tr -d '\r' >"$1"; }
stored() { grep -a "^\"$1\"=" "$2" | head -1 | sed 's/^"[^"]*"="\(.*\)"$/\1/'; }

msgbox_check() {  # msgbox_check LABEL TEXT: the open warning and its OK
  local out; out=$(driver msgbox 5000)
  expect_eq "$1: a message box" "found=1" "$(grep '^found=' <<<"$out")"
  expect_eq "$1: title" "title=Vellumway Screen Saver" "$(grep '^title=' <<<"$out")"
  expect_eq "$1: text" "text=$2" "$(grep '^text=' <<<"$out")"
  expect_eq "$1: a single OK button" "buttons=OK" "$(grep '^buttons=' <<<"$out")"
  expect_eq "$1: an icon" "icon=1" "$(grep '^icon=' <<<"$out")"
  expect_eq "$1: OK closes the box" "gone=1" "$(driver msgbox-ok | grep '^gone=')"
}

# --- first start: the defaults, the layout at 100% ---------------------------------------
start_scr /c
load_info 30000
expect_eq "/c opens the dialog" "1" "${D[found]:-0}"
expect_eq "title" "Vellumway Screensaver" "${D[title]:-}"
expect_eq "dpi" "96" "${D[dpi]:-}"
expect_eq "client area 6000 x 6420 twips" "400,428" "${D[client]:-}"
expect_eq "fixed frame with a close box only" "1 0 0 0" \
  "${D[sysmenu]:-} ${D[sizable]:-} ${D[minimizebox]:-} ${D[maximizebox]:-}"
expect_eq "focus starts on the font box" "$FONT" "${D[focus]:-}"
expect_eq "the defaults were written first" "13" "$(reg_names | wc -l)"

load_controls
check_layout "100%" 1
expect_eq "interval" "15" "${C[$INTERVAL.text]}"
expect_eq "size list 8 to 45" "38 20" "${C[$SIZE.count]} ${C[$SIZE.selected_text]}"
expect_eq "font box" "Arial" "${C[$FONT.text]}"
expect_true "font list filled (${C[$FONT.count]} faces)" test "${C[$FONT.count]}" -gt 0
expect_eq "Bold, Italic, Drop Shadow clear" "0 0 0" \
  "${C[$BOLD.checked]} ${C[$ITALIC.checked]} ${C[$SHADOW.checked]}"
expect_eq "Black selected, shadow box hidden" "1 0 0" \
  "${C[$BLACK.checked]} ${C[$TRANSPARENT.checked]} ${C[$SHADOW.visible]}"
expect_eq "Monochrome selected, swatches visible" "1 0 1" \
  "${C[$SHADES.checked]} ${C[$RANDOM_COLOUR.checked]} ${C[$PANEL.visible]}"
expect_eq "swatch 1 marked" "7 13 7 7 7 7 " "$(swatch_heights)"
expect_eq "only all verses ticked" "100000" "$(topics)"

shot=$(screenshot dialog-first-start)
ox=${D[client_origin]%,*}; oy=${D[client_origin]#*,}
expect_eq "background light grey" "192,192,192" "$(pixel "$shot" $((ox + 395)) $((oy + 420)))"
IFS=, read -r sx sy sw sh <<<"${C[$SAMPLE.place]}"
expect_eq "sample background black" "0,0,0" "$(pixel "$shot" $((ox + sx + 3)) $((oy + sy + 3)))"
green=$(count_pixels "$shot" $((ox + sx)) $((oy + sy)) "$sw" "$sh" lightgreen)
expect_true "sample text light green ($green pixels)" test "$green" -ge 100
want_colours=("192,192,192" "0,192,0" "192,0,0" "0,0,192" "192,192,0" "0,192,192")
for i in 0 1 2 3 4 5; do
  IFS=, read -r x y w h <<<"${C[$((SWATCH0 + i)).place]}"
  expect_eq "swatch $i colour" "${want_colours[$i]}" "$(pixel "$shot" $((ox + x + 2)) $((oy + y + 2)))"
done

export_text "$E2E_TMP/before"
# Enter and Esc belong to the focused control; neither presses a button.
driver dialog-key 13 >/dev/null
driver dialog-key 27 >/dev/null
expect_true "Enter and Esc in the font box leave the dialog open" kill -0 "$SCR_PID"
walk=$(for _ in 1 2 3 4 5 6 7 8 9; do driver dialog-key 9 | cut -d= -f2; done | tr '\n' ' ')
expect_eq "Tab walks the tab order, passing the hidden shadow box" \
  "1023 1024 1030 1041 1050 1010 1011 1060 1061 " "$walk"
walk=$(for _ in $(seq 19); do driver dialog-key 9 | cut -d= -f2; done | tr '\n' ' ')
expect_eq "Tab goes on through the swatches, topics and size list, round to Cancel" \
  "1062 1063 1064 1065 1070 1071 1074 1026 1072 1073 1075 1021 1023 1024 1030 1041 1050 1010 1011 " \
  "$walk"

# Enter presses the push button that has the focus: here "Cancel".
driver dialog-key 13 >/dev/null
if wait_gone "$SCR_PID" 20; then pass "Enter on Cancel ends the program"; else fail "Cancel left it running"; fi
export_text "$E2E_TMP/after"
expect_true "Cancel writes nothing (export byte-identical)" cmp -s "$E2E_TMP/before.reg" "$E2E_TMP/after.reg"

# --- the close box after changing every kind of control ----------------------------------
start_scr /c
load_info 20000
driver dialog-set-text "$INTERVAL" 99 >/dev/null
driver dialog-click "$BOLD" >/dev/null
driver dialog-click "$TRANSPARENT" >/dev/null
driver dialog-click "$RANDOM_COLOUR" >/dev/null
driver dialog-click $((SWATCH0 + 4)) >/dev/null
driver dialog-click "$TOPIC_TEN" >/dev/null
driver dialog-select "$SIZE" 33 >/dev/null
# Real mouse input: a face from the dropped list, a swatch, the "Italic" box.
driver dialog-click "$SHADES" >/dev/null
load_controls
ox=${D[client_origin]%,*}; oy=${D[client_origin]#*,}
IFS=, read -r x y w h <<<"${C[$FONT.place]}"
shows() { driver dialog-get "$1" | grep -qx "$1.$2"; }
xdotool mousemove $((ox + x + w - 8)) $((oy + y + h / 2)) click 1
wait_for 5 shows "$FONT" dropped=1
xdotool mousemove $((ox + x + 40)) $((oy + y + h + 8 + 16 * 3)) click 1
wait_for 5 shows "$FONT" dropped=0
IFS=, read -r x y w h <<<"${C[$((SWATCH0 + 2)).place]}"
xdotool mousemove $((ox + x + 3)) $((oy + y + 3)) click 1
wait_for 5 shows $((SWATCH0 + 2)) "place=$x,$((y)),$w,13"
IFS=, read -r x y w h <<<"${C[$ITALIC.place]}"
xdotool mousemove $((ox + x + 6)) $((oy + y + h / 2)) click 1
wait_for 5 shows "$ITALIC" checked=1
load_controls
expect_true "a face chosen with the mouse fills the font box [${C[$FONT.text]}]" \
  test -n "${C[$FONT.text]}" -a "${C[$FONT.text]}" = "${C[$FONT.selected_text]}" -a "${C[$FONT.text]}" != Arial
expect_eq "a mouse click marks swatch 2" "7 7 13 7 7 7 " "$(swatch_heights)"
expect_eq "a mouse click ticks Italic" "1" "${C[$ITALIC.checked]}"
driver dialog-close >/dev/null
if wait_gone "$SCR_PID" 20; then pass "the close box ends the program"; else fail "close box left it running"; fi
export_text "$E2E_TMP/after"
expect_true "the close box writes nothing (export byte-identical)" \
  cmp -s "$E2E_TMP/before.reg" "$E2E_TMP/after.reg"

# --- failed checks: the warning, the focus, nothing written ------------------------------
start_scr /c
load_info 20000
driver dialog-click "$TOPIC_ALL" >/dev/null
driver dialog-set-text "$INTERVAL" abc >/dev/null
driver dialog-click "$OK" >/dev/null
msgbox_check "no topic" "Must have at least one verse to display option selected"
expect_eq "no topic: the focus stays on OK" "$OK" "$(driver dialog-info | grep '^focus=' | cut -d= -f2)"
driver dialog-click "$TOPIC_ALL" >/dev/null
# One warning of each kind; which value gets which is pinned by SettingsDialogTest.
for case in "abc|Change Verse in seconds must be numeric" \
            "0.5|Change Verse in seconds must be greater than 0" \
            "40000|Change Verse in seconds must be less than 32768"; do
  value=${case%%|*}; message=${case#*|}
  driver dialog-set-text "$INTERVAL" "$value" >/dev/null
  driver dialog-click "$OK" >/dev/null
  msgbox_check "interval [$value]" "$message"
  expect_eq "interval [$value]: focus on the interval" "$INTERVAL" \
    "$(driver dialog-info | grep '^focus=' | cut -d= -f2)"
done
expect_true "the dialog is still open after the warnings" kill -0 "$SCR_PID"
export_text "$E2E_TMP/after"
expect_true "failed checks write nothing" cmp -s "$E2E_TMP/before.reg" "$E2E_TMP/after.reg"
driver dialog-click "$CANCEL" >/dev/null
wait_gone "$SCR_PID" 20

# --- changing controls and "OK" ------------------------------------------------------------
start_scr /c
load_info 20000
load_controls
crop_control "$(screenshot dialog-sample-2)" "$SAMPLE" "$E2E_TMP/sample2.png"
face=$(driver dialog-select "$FONT" '#2' | sed -n 's/^text=//p')
[ "$face" = Arial ] && face=$(driver dialog-select "$FONT" '#3' | sed -n 's/^text=//p')
crop_control "$(screenshot dialog-sample-3)" "$SAMPLE" "$E2E_TMP/sample3.png"
expect_true "choosing [$face] from the list changes the sample" \
  bash -c "! compare -metric AE '$E2E_TMP/sample2.png' '$E2E_TMP/sample3.png' null: 2>/dev/null"
driver dialog-click "$BOLD" >/dev/null
crop_control "$(screenshot dialog-sample-4)" "$SAMPLE" "$E2E_TMP/sample4.png"
expect_true "Bold changes the sample" \
  bash -c "! compare -metric AE '$E2E_TMP/sample3.png' '$E2E_TMP/sample4.png' null: 2>/dev/null"

driver dialog-set-text "$INTERVAL" 0.6 >/dev/null
driver dialog-select "$SIZE" 12 >/dev/null
driver dialog-click "$TRANSPARENT" >/dev/null
driver dialog-click "$SHADOW" >/dev/null
driver dialog-click "$BLACK" >/dev/null
driver dialog-click $((SWATCH0 + 3)) >/dev/null
driver dialog-click "$RANDOM_COLOUR" >/dev/null
driver dialog-click "$TOPIC_ALL" >/dev/null
driver dialog-click "$TOPIC_TEN" >/dev/null
driver dialog-click "$TOPIC_PROPHECIES" >/dev/null
load_controls
expect_eq "Black hides the ticked shadow box" "0 1" "${C[$SHADOW.visible]} ${C[$SHADOW.checked]}"
expect_eq "Random Colour hides the swatches" "0" "${C[$PANEL.visible]}"
expect_eq "swatch 3 marked" "7 7 7 13 7 7 " "$(swatch_heights)"
driver dialog-click "$OK" >/dev/null
if wait_gone "$SCR_PID" 20; then pass "OK ends the program"; else fail "OK left it running"; fi
export_text "$E2E_TMP/after"
diff_keys=$(diff "$E2E_TMP/before" "$E2E_TMP/after" | sed -n 's/^> "\([^"]*\)"=.*/\1/p' | sort | tr '\n' ' ')
expect_eq "only the changed options differ" \
  "ChangeSec Color ColorType Display DropShadow Font FontBold FontSize " "$diff_keys"
for kv in ChangeSec=0.6 FontSize=12 FontBold=1 FontItalic=0 DropShadow=1 "Font=$face" Color=3 \
          ScreenColor=0 ColorType=1 Display=34 Content=0 "FreeText=Dadoduz Ivuzozuvodi" LastVerse=1; do
  expect_eq "stored ${kv%%=*}" "${kv#*=}" "$(stored "${kv%%=*}" "$E2E_TMP/after")"
done
expect_eq "still exactly thirteen keys" "13" "$(reg_names | wc -l)"

# --- stored values are shown; "OK" writes them back unchanged -----------------------------
face_uni="Шрифт Ω 明朝"
reg_set Settings ChangeSec " 2.5"
reg_set Settings FontSize 12
reg_set Settings FontBold 1
reg_set Settings FontItalic 1
reg_set Settings DropShadow 1
reg_set Settings Font "$face_uni"
reg_set Settings Color 4
reg_set Settings ScreenColor 1
reg_set Settings ColorType 1
reg_set Settings Display 34
export_text "$E2E_TMP/before"
start_scr /c
load_info 20000
load_controls
# Which control shows which value is pinned by SettingsDialogTest; here the real controls.
expect_eq "stored values shown" " 2.5|12|$face_uni|1 1|1 1 1|1 0|7 7 7 7 13 7 |010001" \
  "${C[$INTERVAL.text]}|${C[$SIZE.selected_text]}|${C[$FONT.text]}|${C[$BOLD.checked]} ${C[$ITALIC.checked]}|${C[$TRANSPARENT.checked]} ${C[$SHADOW.visible]} ${C[$SHADOW.checked]}|${C[$RANDOM_COLOUR.checked]} ${C[$PANEL.visible]}|$(swatch_heights)|$(topics)"
driver dialog-click "$SHADES" >/dev/null
load_controls
expect_eq "Monochrome shows the swatches again, still marked" "1 7 7 7 7 13 7 " \
  "${C[$PANEL.visible]} $(swatch_heights)"
driver dialog-click "$RANDOM_COLOUR" >/dev/null
# Changed behind the dialog's back: "OK" must write the values it shows over these.
reg_set Settings ChangeSec 77
reg_set Settings Font Other
reg_set Settings Display 1
driver dialog-click "$OK" >/dev/null
if wait_gone "$SCR_PID" 20; then pass "OK ends the program"; else fail "OK left it running"; fi
export_text "$E2E_TMP/after"
expect_true "OK without changes writes the shown values back exactly" \
  cmp -s "$E2E_TMP/before.reg" "$E2E_TMP/after.reg"
expect_eq "face round trip" "$face_uni" "$(stored Font "$E2E_TMP/after")"

# --- hand-edited values, and the layout at 150% --------------------------------------------
reg_set Settings ScreenColor abc
reg_set Settings ColorType 7
reg_set Settings Color 7
wine reg add 'HKCU\Control Panel\Desktop' /v LogPixels /t REG_DWORD /d 144 /f >/dev/null 2>&1
export_text "$E2E_TMP/before"
start_scr /c
load_info 20000
DPI=144
expect_eq "dpi 150%" "144" "${D[dpi]:-}"
expect_eq "client area at 150%" "600,642" "${D[client]:-}"
load_controls
check_layout "150%" -1
expect_eq "ScreenColor abc loads as Black" "1 0" "${C[$BLACK.checked]} ${C[$SHADOW.visible]}"
expect_eq "ColorType 7 loads as Random Colour, as the display reads it" "0 0" "${C[$SHADES.checked]} ${C[$PANEL.visible]}"
expect_eq "Color 7 marks no swatch" "10 10 10 10 10 10 " "$(swatch_heights)"
screenshot dialog-150 >/dev/null
driver dialog-click "$CANCEL" >/dev/null
wait_gone "$SCR_PID" 20
export_text "$E2E_TMP/after"
expect_true "Cancel keeps hand-edited values" cmp -s "$E2E_TMP/before.reg" "$E2E_TMP/after.reg"

e2e_finish
