#!/usr/bin/env bash
# The settings dialog under Wine, run from the steps of dialog_steps.tsv: the real controls in
# the places and texts of dialog_layout.tsv at 100% and 150% and after a change of scale, the
# icon's image for the scale, their painting, Tab, Enter and Esc, real message boxes, and what
# "OK", "Cancel" and the close box leave in the registry.
. "$(dirname "$0")/lib.sh"
e2e_setup 1280x1024  # room for the dialog at 192 DPI
# Wine draws the title bar itself, so that screenshots show it without a window manager.
wine reg add 'HKCU\Software\Wine\X11 Driver' /v Managed /d N /f >/dev/null 2>&1
HERE=$(dirname "$0")
declare -A C=()
STEPS=0 DPI=96

# controls: every control of the open dialog in C["ID.key"], plus "focus", the swatches'
# heights (13 marks one), the ticked topics and the controls a screen reader finds no name for.
controls() {
  local k v i
  C=()
  while IFS='=' read -r k v; do [ -z "$k" ] || C[$k]=$v; done < <(driver controls)
  for i in 0 1 2 3 4 5; do
    C[swatches]+="${C[picColorSelect$i.place]##*,} " C[topics]+=${C[chkDisplay$i.checked]}
  done
  C[swatches]=${C[swatches]% }
  for k in "${!C[@]}"; do [[ $k == *.name && -z ${C[$k]} ]] && C[unnamed]+=" ${k%.name}"; done
}
# matches ITEMS: every "key=value" (or "key!=value") of the items holds in C; the misses in MISS.
matches() {
  local item k
  MISS=""
  IFS=';' read -r -a items <<<"$1"
  for item in "${items[@]}"; do
    k=${item%%=*}
    if [[ $k == *! ]]; then [ "${C[${k%!}]-}" != "${item#*=}" ]; else [ "${C[$k]-}" = "${item#*=}" ]; fi ||
      MISS+=" $k=[${C[${k%!}]-}]"
  done
  [ -z "$MISS" ]
}
state() { controls; matches "$1"; }
check() { if matches "$2"; then pass "$1"; else fail "$1:$MISS"; fi; }  # check LABEL ITEMS
# layout MARKED: every control's kind, caption and place (twips converted as MulDiv does, each
# container's offset on its own); a swatch is taller when marked. A caption too wide for this
# system's fonts widens its control and moves the rest of its row (test_screens.sh checks that
# captions fit): those rows keep only their row.
layout() {
  local out report
  # An empty report would leave awk reading the table as the report: nothing to compare.
  report=$(driver controls)
  [ -n "$report" ] || { fail "$DPI DPI: the driver reported no controls"; return; }
  out=$(printf '%s\n' "$report" | awk -F'\t' -v dpi="$DPI" -v marked="$1" \
    -v fitted=' chkDropShadow Label3 txtChangeSec Label6 optColor0 picColorColl picColorSelect ' '
    function px(t) { return int((t * dpi * 2 + 1440) / 2880) }
    FNR == NR { i = index($0, "="); got[substr($0, 1, i - 1)] = substr($0, i + 1); next }
    /^#/ { next }
    { x[$1] = px($3) + x[$2]; y[$1] = px($4) + y[$2]; h = $6 == "-" ? ($1 == "picColorSelect" marked ? 195 : 100) : $6
      want = x[$1] "," y[$1] "," px($5) "," px(h); have = got[$1 ".place"]
      if (index(fitted, " " $1 " ") || index(fitted, " " substr($1, 1, 14) " ")) { split(want, a, ","); split(have, b, ","); want = a[2] "," a[4]; have = b[2] "," b[4] }
      if (want != have) print "place of " $1 " " $8 ": expected [" want "], got [" have "]"
      if (tolower(got[$1 ".class"]) != tolower($7)) print "kind of " $1 ": [" got[$1 ".class"] "]"
      if ($8 != "" && $7 != "Edit" && got[$1 ".text"] != $8) print "caption of " $1 ": [" got[$1 ".text"] "]" }
    ' - "$HERE/dialog_layout.tsv")
  expect_eq "$DPI DPI: every control has its kind, caption and place" "" "$out"
}
# at NAME DX DY: screen coordinates of a point of the control named ("-": the client area).
at() {
  local place=${C[$1.place]:-0,0,0,0} p
  IFS=, read -r -a p <<<"$place"
  echo "$((OX + p[0] + $2)) $((OY + p[1] + $3))"
}
# sample_is_12_points: the sample's text, in a fresh screenshot, is 0.7 to 1.2 of the cell of
# 12 points at DPI (DPI/6 pixels) high; its height in h.
sample_is_12_points() {
  controls; crop lblFontSample "$E2E_TMP/height.png"
  h=$(convert "$E2E_TMP/height.png" -fuzz 20% -fill black +opaque 'rgb(128,255,128)' -fuzz 0 -trim \
    -format %h info:)
  [ $((h * 60)) -ge $((DPI * 7)) -a $((h * 60)) -le $((DPI * 12)) ]
}
# crop NAME OUT: the control's area of a fresh screenshot.
crop() {
  IFS=, read -r x y w h <<<"${C[$1.place]}"
  convert "$(screenshot dialog)" -crop "${w}x${h}+$((OX + x))+$((OY + y))" +repage "$2"
}

while IFS=$'\t' read -r -u 3 step arg want; do
  [[ $step == '' || $step == '#'* ]] || STEPS=$((STEPS + 1))
  case $step in
    '' | '#'*) continue ;;
    dpi) DPI=$arg
      wine reg add 'HKCU\Control Panel\Desktop' /v LogPixels /t REG_DWORD /d "$arg" /f >/dev/null 2>&1 ;;
    reg) IFS=';' read -r -a items <<<"$arg"
      for item in "${items[@]}"; do reg_set Settings "${item%%=*}" "${item#*=}"; done ;;
    start)
      LABEL=$arg
      start_scr /c
      info=$(driver window-info VellumwaySettings 30000)
      settings_text "$E2E_TMP/before"  # after the defaults a first start writes
      read -r OX OY <<<"$(info_value "$info" origin | tr , ' ')"
      C=(); while IFS='=' read -r k v; do [ -z "$k" ] || C[$k]=$v; done <<<"$info"
      check "$LABEL: /c opens the dialog" "found=1;$want" ;;
    layout) layout "$arg" ;;
    # As on moving to a monitor of another scale: the window takes the suggested rectangle
    # (on the screen), the sample's text is 12 points at the new scale, and the captions fit.
    dpichange) out=$(driver dpi-changed "$DPI" "$arg")
      read -r OX OY <<<"$(info_value "$out" origin | tr , ' ')"
      r=$(info_value "$out" rect) s=$(info_value "$out" suggested) b=$(info_value "$out" before)
      expect_true "$LABEL: WM_DPICHANGED to $arg: the window takes the suggested rectangle ($b to $r; suggested $s)" \
        test -n "$s" -a "$r" = "$s" -a "$s" != "$b"
      DPI=$arg
      wait_for 5 sample_is_12_points; expect_true "$LABEL: at $DPI DPI the sample's text is 12 points ($h pixels high)" test $? = 0
      captions_fit "$LABEL, moved to $DPI DPI" "$DPI"; screenshot "dialog-dpichanged-$DPI" >/dev/null ;;
    # The icon shows its own image of the size that fits the scale, not one stretched.
    icon) controls; crop Image1 "$E2E_TMP/icon.png"; n=${C[Image1.place]##*,}
      bash "$VW_SRC/res/make_icon.sh" "$VW_SRC/res/Vellumway.mvg" "$E2E_TMP/image.ico" "$n"
      convert "$E2E_TMP/image.ico" -background 'rgb(192,192,192)' -flatten "$E2E_TMP/image.png"
      expect_eq "$LABEL: the icon's ${n}-pixel image as it is" 0 \
        "$(compare -metric AE -fuzz 4% "$E2E_TMP/image.png" "$E2E_TMP/icon.png" null: 2>&1)" ;;
    state) wait_for 5 state "$want"; check "$LABEL: $arg" "$want" ;;
    # The font box as a user reads it: alphabetical (in any case), each face once, and every
    # face family of this system there.
    list) controls; tr '|' '\n' <<<"${C[$arg.items]-}" >"$E2E_TMP/list"
      expect_true "$LABEL: $arg in alphabetical order, each once" eval \
        '[ "$(wc -l <"$E2E_TMP/list")" -gt 3 ] && LC_ALL=C sort -fuc "$E2E_TMP/list"'
      expect_eq "$LABEL: $arg holds every face family" "" \
        "$(fc-list --format '%{family[0]}\n' | sort -u | grep -vxFf "$E2E_TMP/list" | xargs)" ;;
    pixel) read -r id dx dy <<<"$arg"; controls
      expect_eq "$LABEL: colour at $arg" "$want" "$(pixel_colour "$(screenshot dialog)" $(at "$id" "$dx" "$dy"))" ;;
    green) controls; crop "$arg" "$E2E_TMP/green.png"
      n=$(convert "$E2E_TMP/green.png" txt:- | tr '(),' '   ' | awk 'NR > 1 && $4 >= 200 && $3 >= 90 && $3 <= 170 && $5 >= 90 && $5 <= 170' | wc -l)
      expect_true "$LABEL: the sample is light green ($n pixels)" test "$n" -ge "$want" ;;
    key) read -r vk n <<<"$arg"
      got=$(driver key "$vk" "$n" | sed 's/focus=//' | xargs)
      [ -z "$want" ] || expect_eq "$LABEL: key $vk: the focus walks" "$want" "$got" ;;
    click) driver click "$arg" >/dev/null ;;
    set) driver set "${arg%% *}" "${arg#* }" >/dev/null ;;
    close) driver close >/dev/null ;;
    mouse) controls; read -r id dx dy <<<"$arg"; xdotool mousemove $(at "$id" "$dx" "$dy") click 1 ;;
    msgbox) box=$(driver msgbox)
      expect_eq "$LABEL: $arg: a message box with its text, an icon and OK, which closes it" \
        "found=1 title=Vellumway Screen Saver text=$want icon=1 buttons=OK gone=1" "$(echo $box)" ;;
    sample) controls; crop lblFontSample "$E2E_TMP/sample.png"
      [ -z "$arg" ] || expect_true "$LABEL: $arg" test "$(mask_diff "$E2E_TMP/sample0.png" "$E2E_TMP/sample.png")" -gt 0
      cp "$E2E_TMP/sample.png" "$E2E_TMP/sample0.png" ;;
    ends) expect_true "$LABEL: $arg" wait_gone "$SCR_PID" 20 ;;
    same) settings_text "$E2E_TMP/after"
      # Two failed exports are equally empty: the store must have been read.
      expect_true "$LABEL: $arg (the export byte-identical)" eval \
        'grep -q "^\"ChangeSec\"=" "$E2E_TMP/after" && cmp -s "$E2E_TMP/before.reg" "$E2E_TMP/after.reg"' ;;
    stored) settings_text "$E2E_TMP/after"
      C=(); while IFS='=' read -r k v; do k=${k//\"/}; [ -z "$k" ] || C[$k]=${v//\"/}; done <"$E2E_TMP/after"
      check "$LABEL: $arg" "$want"
      expect_true "$LABEL: the store could be read" test -n "${C[ChangeSec]-}"
      names=$(tr ';' '\n' <<<"$want" | sed 's/!*=.*//' | paste -sd'|')
      expect_eq "$LABEL: no other value changed" "$(values "$E2E_TMP/before" "$names")" "$(values "$E2E_TMP/after" "$names")" ;;
    *) fail "unknown step $step" ;;
  esac
done 3<"$HERE/dialog_steps.tsv"
expect_eq "every step ran" "$(grep -cv '^\(#\|$\)' "$HERE/dialog_steps.tsv")" "$STEPS"
e2e_finish
