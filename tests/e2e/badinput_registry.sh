# Hand-edited registry values, one key at a time, each judged from outside the process.
# Sourced by test_badinput_registry_look.sh and test_badinput_registry_flow.sh, which share
# the table below and each run the rows of some keys.
#
# Every case: the stored position is all verses at record 100 ("LastSection" 1, "LastVerse"
# 100) and every other key holds its default; one key gets a bad value; a full-screen start
# must show its window, keep running, end on a click with exit code 0 and leave no window;
# the other keys must be as they were, the edited key untouched (an empty value and a value
# of a type other than a string get the default back) and the position what the rotation
# wrote. Then what the screen showed is checked against the value the key loads as.

# The kinds of bad value, in the order of the effect columns below. "dword", "binary" and
# "multi" are not strings: they read as absent. "expand" is a string with another type tag
# and is read like a string.
KINDS=(empty blanks text fraction negative huge long dword binary multi expand)
LONG_TEXT=$(head -c 8000 /dev/zero | tr '\0' x)

# set_kind KEY KIND: stores the bad value of that kind.
set_kind() {
  case $2 in
    empty) reg_set Settings "$1" "" ;;
    blanks) reg_set Settings "$1" "   " ;;
    text) reg_set Settings "$1" "abc" ;;
    fraction) reg_set Settings "$1" "2.5" ;;
    negative) reg_set Settings "$1" "-3" ;;
    huge) reg_set Settings "$1" "99999999999999999999" ;;
    long) reg_set Settings "$1" "$LONG_TEXT" ;;
    dword) reg_set Settings "$1" 5 REG_DWORD ;;
    binary) reg_set Settings "$1" 0500 REG_BINARY ;;
    multi) reg_set Settings "$1" 5 REG_MULTI_SZ ;;
    expand) reg_set Settings "$1" 2 REG_EXPAND_SZ ;;
  esac
}

# What each key does with each kind, as seen from outside (the effects are explained at
# check_effect). "fraction" loads as 2 (2.5 rounds half to even), "expand" as 2, "negative"
# as -3; all the others load as the key's default.
#         empty  blanks text   fraction negative huge   long   dword  binary multi  expand
TABLE='
ChangeSec  ref   ref    ref    advance  ref      ref    ref    ref    ref    ref    advance
FontSize   ref   ref    ref    ref      ref      ref    ref    ref    ref    ref    ref
FontBold   ref   ref    ref    shape    shape    ref    ref    ref    ref    ref    shape
FontItalic ref   ref    ref    shape    shape    ref    ref    ref    ref    ref    shape
DropShadow ref   ref    ref    ref      ref      ref    ref    ref    ref    ref    ref
Font       ref   run    run    run      run      run    run    ref    ref    ref    run
Color      ref   ref    ref    red      black    ref    ref    ref    ref    ref    red
ScreenColor ref  ref    ref    transp   transp   ref    ref    ref    ref    ref    transp
ColorType  ref   ref    ref    run      run      ref    ref    ref    ref    ref    run
Display    ref   ref    ref    at:2/1   ref      ref    ref    ref    ref    ref    at:2/1
Content    ref   ref    ref    ref      ref      ref    ref    ref    ref    ref    ref
FreeText   ref   ref    ref    ref      ref      ref    ref    ref    ref    ref    ref
LastSection at:1/1 at:1/1 at:1/1 at:1/1 at:1/1   at:1/1 at:1/1 at:1/1 at:1/1 at:1/1 at:1/1
LastVerse  at:1/1 at:1/1 at:1/1 at:1/2  at:1/1   at:1/1 at:1/1 at:1/1 at:1/1 at:1/1 at:1/2
'
# Single values at the edges of the ranges: KEY|VALUE|EFFECT.
EDGES='
ChangeSec|0|ref
ChangeSec|1.5|advance
ChangeSec|  2  |advance
ChangeSec|32767|ref
ChangeSec|40000|ref
FontSize|7|ref
FontSize|8|shape
FontSize|20.5|ref
FontSize|21.5|shape
FontSize|45|shape
FontSize|46|ref
FontSize|-20|ref
FontBold|0.5|ref
FontBold|1|shape
Color|0|grey
Color|7|black
Color|32767|black
Color|40000|ref
Display|0|at:0/0
Display|3|ref
Display|64|at:0/0
Display|2147483648|ref
LastSection|1abc|ref
LastSection|8|at:1/1
LastSection|  1|ref
LastVerse|100.5|ref
LastVerse|31102|at:1/31102
LastVerse|31103|at:1/1
LastVerse|0|at:1/1
LastVerse|2147483647|at:1/1
FreeText|LONG|ref
'

declare -A DEFAULTS=([ChangeSec]=15 [FontSize]=20 [FontBold]=0 [FontItalic]=0 [DropShadow]=0
  [Font]=Arial [Color]=1 [ScreenColor]=0 [ColorType]=0 [Content]=0
  [FreeText]="Dadoduz Ivuzozuvodi" [Display]=1 [LastVerse]=1)

# The state every case starts from: made once, then imported in one go.
reset_store() {
  if [ -f "$E2E_TMP/baseline.reg" ]; then
    wine reg import "$E2E_TMP/baseline.reg" >/dev/null 2>&1
    return
  fi
  local key
  for key in "${!DEFAULTS[@]}"; do reg_set Settings "$key" "${DEFAULTS[$key]}"; done
  reg_set Settings LastSection 1
  reg_set Settings LastVerse 100
  reg_export "$E2E_TMP/baseline.reg"
}
# The position pair stored in an exported file: "S/V".
saved_pair() {
  echo "$(raw_value LastSection "$1" | tr -d '"')/$(raw_value LastVerse "$1" | tr -d '"')"
}

# registry_reference: a run with nothing edited; its text shape is what "ref" compares with.
registry_reference() {
  reset_store
  run_display 0.8
  expect_eq "reference run shows its window and ends on a click" "1 1 0" "$WINDOW $ENDED $EXIT"
  text_mask "$SHOT" "$E2E_TMP/ref-mask.png"
  cp "$SHOT" "$E2E_TMP/ref.png"
  expect_true "reference run: shades of green" colour_fits "$SHOT" green
  settings_text "$E2E_TMP/after"
  expect_eq "reference run: position kept" "1/100" "$(saved_pair "$E2E_TMP/after")"
}

# check_effect LABEL EFFECT: what the screen and the saved position must show.
#   ref      the same text shape as the reference run (record 100, default look), position 1/100
#   shape    record 100 in another shape (another size, bold or italic), position 1/100
#   advance  the next verse came within 3.5 s (an interval of 2 s or less), position 1/101
#   red, grey, black   record 100 drawn in shades of red or grey, or in black (not visible)
#   transp   drawn over the desktop (the coloured window behind) instead of black
#   run      runs and ends cleanly; the look is not pinned (a face name, a random colour)
#   at:S/V   another verse was shown, and the position saved is LastSection S, LastVerse V
check_effect() {
  local label=$1 effect=$2 saved
  saved=$(saved_pair "$E2E_TMP/after")
  local want_saved=1/100
  case $effect in
    advance) want_saved=1/101 ;;
    at:*) want_saved=${effect#at:} ;;
  esac
  expect_eq "$label: saved position" "$want_saved" "$saved"
  text_mask "$SHOT" "$E2E_TMP/mask.png"
  # The same text in another brightness or hue moves anti-aliased edge pixels across the
  # mask's threshold (a few hundred pixels); text of another shape differs by thousands.
  local diff; diff=$(mask_diff "$E2E_TMP/ref-mask.png" "$E2E_TMP/mask.png")
  case $effect in
    ref)
      expect_true "$label: looks like the reference ($diff pixels differ)" test "${diff:-0}" -lt 1500
      expect_true "$label: shades of green" colour_fits "$SHOT" green ;;
    shape)
      expect_true "$label: text in another shape ($diff pixels differ)" test "${diff:-0}" -gt 1000 ;;
    red | grey)
      expect_true "$label: same shape ($diff pixels differ)" test "${diff:-0}" -lt 1500
      expect_true "$label: shades of $effect" colour_fits "$SHOT" "$effect" ;;
    black) expect_true "$label: black text on black" colour_fits "$SHOT" black ;;
    transp)
      expect_eq "$label: the desktop shows behind" "30,60,90" "$(pixel_colour "$SHOT" 3 3)" ;;
    at:*)
      expect_true "$label: another verse than the reference ($diff pixels differ)" \
        test "${diff:-0}" -gt 1000 ;;
  esac
  case $effect in
    transp) ;;
    *) expect_eq "$label: black background" "0,0,0" "$(pixel_colour "$SHOT" 3 3)" ;;
  esac
}

# registry_case KEY KIND_OR_VALUE EFFECT: one hand-edited value and one run.
registry_case() {
  local key=$1 kind=$2 effect=$3 label="$1=$2"
  CASES=$((CASES + 1))
  reset_store
  if [[ " ${KINDS[*]} " == *" $kind "* ]]; then
    set_kind "$key" "$kind"
  else
    local value=$kind
    [ "$value" = LONG ] && value=$LONG_TEXT
    reg_set Settings "$key" "$value"
    label="$key=[${kind}]"
    kind=value
  fi
  settings_text "$E2E_TMP/before"
  local pause=0.8 failed=$E2E_FAILED
  [ "$key" = ChangeSec ] && pause=3.5
  run_display "$pause"
  if [ "$WINDOW$ENDED$EXIT" != 110 ]; then
    fail "$label: window $WINDOW, ended on the click $ENDED, exit code $EXIT"
    return
  fi
  expect_eq "$label: no window left" 0 "$(program_windows)"
  settings_text "$E2E_TMP/after"
  expect_eq "$label: every other setting kept" \
    "$(other_values "$E2E_TMP/before" "$key" LastSection LastVerse)" \
    "$(other_values "$E2E_TMP/after" "$key" LastSection LastVerse)"
  case $key in
    LastSection | LastVerse) ;;  # written by the run itself
    *)
      local want; want=$(raw_value "$key" "$E2E_TMP/before" | cut -c1-60)
      case $kind in
        empty | dword | binary | multi) want="\"${DEFAULTS[$key]}\"" ;;
      esac
      expect_eq "$label: stored value afterwards" "$want" \
        "$(raw_value "$key" "$E2E_TMP/after" | cut -c1-60)"
      ;;
  esac
  check_effect "$label" "$effect"
  # Keep the screen of a failed case for a look.
  [ "$E2E_FAILED" = "$failed" ] || cp "$SHOT" "$SHOTS_DIR/$(basename "$0" .sh)-failed-$CASES.png"
}

# registry_cases KEY...: every kind and every edge value of the keys named.
registry_cases() {
  local key row i effects
  for key in "$@"; do
    row=$(awk -v k="$key" '$1 == k' <<<"$TABLE")
    read -r -a effects <<<"${row#* }"
    for i in "${!KINDS[@]}"; do registry_case "$key" "${KINDS[$i]}" "${effects[$i]}"; done
    while IFS='|' read -r k value effect; do
      [ "$k" = "$key" ] && registry_case "$key" "$value" "$effect"
    done <<<"$EDGES"
  done
}
