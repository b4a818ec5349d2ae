#!/usr/bin/env bash
# Runs one table of end-to-end cases (cases/*.tsv): the real Vellumway.scr under Wine, each
# case started with an exact command line on a store reset to the table's base, and judged
# from outside the process. Columns, tab-separated, "-" for none (format in cases/README):
#   name  store-before  command-line  what-happens  store-after  screen
TABLE=$1
NAME=$(basename "$TABLE" .tsv)
. "$(dirname "$0")/lib.sh"
: "${VW_MAKE_KJV:?}"  # make_kjv_dat, which makes the odd kjv.dat files; CTest sets it
shopt -s extglob
e2e_setup 1024x768
# A crash must end the process with its exception code, not wait on Wine's dialog.
wine reg add 'HKCU\Software\Wine\WineDbg' /v ShowCrashDialog /t REG_DWORD /d 0 /f >/dev/null 2>&1
SCR_WIN=$(winepath -w "$APP/Vellumway.scr" 2>/dev/null)
DAT="$APP/kjv.dat"

declare -A R=()  # the driver's report of the case
# raw_value NAME FILE: the stored form of a value as exported ("15", dword:00000005, ...),
# <absent> when missing. Names match without regard to case, as in the registry.
raw_value() { grep -im1 "^\"$1\"=" "$2" | cut -d= -f2- | grep . || echo '<absent>'; }
# text_mask SHOT OUT: the shape of the text on a black screen, independent of its random
# brightness (levels stretched to full range, then cut at 40 %); prints its pixel count.
text_mask() {
  convert "$1" -colorspace gray -auto-level -threshold 40% -write "$2" \
    -format '%[fx:int(mean * w * h)]' info: 2>/dev/null
}
look() { python3 "$VW_SRC/tests/e2e/look.py" "$@"; }  # what a shot shows: text, shades, an underline
start_scr /x; wait_gone "$SCR_PID" 20  # the defaults are in the store before the first case
settings_text "$E2E_TMP/base"
BASE=$(grep -v '^Windows Registry' "$E2E_TMP/base")

# Macros of the what-happens column.
declare -A M=(
  [end]="outcome=ended exit_code=0 windows_left=0"
  [full]="outcome=window window_class=VellumwayDisplay window_child=0 window_rect=0,0,1024,768 window_topmost=1 window_caption=0 ended=1 exit_code=0 windows_left=0"
  [preview]="outcome=window window_class=VellumwayDisplay window_child=1 window_popup=0 window_in_host=1 window_client=240,180 window_title=Preview ended=1 exit_code=0 windows_left=0"
  [dialog]="outcome=window window_class=VellumwaySettings ended=1 exit_code=0 windows_left=0 do=close")

# expand TEXT: {C*N} is N times the character C.
expand() { perl -e '$_ = shift; s/\{(.)\*(\d+)\}/$1 x $2/ge; print' -- "$1"; }

# hex TEXT: UTF-16 text as .reg hex bytes, with the terminating zero (and a second for a list).
hex() { printf '%s\0' "$1" | iconv -t UTF-16LE | od -An -tx1 -v | xargs | tr ' ' ,; }

# store ITEMS: the program's key as the base plus the items ("Key=value" as a string,
# "Key:dword|binary|multi|expand=value", "-Key" to delete; "Startup/" before the key for
# that section; "kjv=MAKER" builds kjv.dat), imported in one go.
store() {
  local item sec key value line
  # Here, not in the pipeline below: the holder's pid and the check's line must reach this shell.
  [[ ";$1;" =~ \;kjv=([a-z-]+)\; ]] && make_kjv "${BASH_REMATCH[1]}"
  {
    echo 'Windows Registry Editor Version 5.00'; echo; echo "[-$KEY]"
    [[ ";$1;" == *";clear;"* ]] || echo "$BASE"
    IFS=';' read -r -a items <<<"$1"
    for item in "${items[@]}"; do
      case $item in - | '' | clear | kjv=*) continue ;; esac
      sec=Settings; [[ $item == ?(-)Startup/* ]] && { sec=Startup; item=${item/Startup\//}; }
      key=${item%%=*} value=$(expand "${item#*=}") key=${key%%:*}
      value=${value//\\/\\\\}
      case $item in
        -*) line="\"${key#-}\"=-" ;;
        *:dword=*) line="\"$key\"=dword:$(printf %08x "$value")" ;;
        *:binary=*) line="\"$key\"=hex:$value" ;;
        *:multi=*) line="\"$key\"=hex(7):$(hex "$value"),00,00" ;;
        *:expand=*) line="\"$key\"=hex(2):$(hex "$value")" ;;
        *) line="\"$key\"=\"${value//\"/\\\"}\"" ;;
      esac
      printf '[%s\\%s]\n%s\n' "$KEY" "$sec" "$line"
    done
  } | sed 's/$/\r/' | iconv -t UTF-16 >"$E2E_TMP/row.reg"
  wine reg import "$E2E_TMP/row.reg" >/dev/null 2>&1
}

# make_kjv MAKER: a damaged, odd or held kjv.dat. Whole records are cut from kjv.dat or made
# by make_kjv_dat (VW_MAKE_KJV), which encodes them as the program reads them.
R_LEN=$("$VW_MAKE_KJV" record 0 0 0 </dev/null | wc -c)
records() { head -c $(($1 * R_LEN)) "$VW_DIST/kjv.dat"; }
make_kjv() {
  release; rm -rf "$DAT"
  case $1 in
    missing) ;;
    folder) mkdir "$DAT" ;;
    empty) : >"$DAT" ;;
    half) records 1 | head -c $((R_LEN / 2)) >"$DAT" ;;
    partial) records 4 | head -c $((3 * R_LEN + 300)) >"$DAT" ;;
    bytes)  # Genesis 1:1-3 with every byte value as text, control characters included
      { for v in 1 2 3; do
          perl -e 'print map(chr, 0 .. 255, reverse 0 .. 255), "\0" x 16' |
            "$VW_MAKE_KJV" record 1 1 "$v"
        done
        records 100 | tail -c +$((3 * R_LEN + 1)); } >"$DAT" ;;
    sparse) truncate -s 3G "$DAT" ;;
    readonly) cp "$VW_DIST/kjv.dat" "$DAT"; chmod 444 "$DAT" ;;
    deny-write | deny-all) cp "$VW_DIST/kjv.dat" "$DAT"; hold "$1" ;;
  esac
}
# hold MODE: another process keeps kjv.dat open in that mode until the next case.
HOLDER=""
hold() {
  wine "$DRIVER" hold-file "$(winepath -w "$DAT")" "$1" >"$E2E_TMP/hold.txt" 2>/dev/null &
  HOLDER=$!
  expect_true "another process holds kjv.dat ($1)" wait_for 10 grep -qs held=1 "$E2E_TMP/hold.txt"
}
release() { [ -n "$HOLDER" ] && kill "$HOLDER" && wait "$HOLDER"; HOLDER=""; } 2>/dev/null
fingerprint() { [ -f "$DAT" ] && stat -L -c '%s %Y' "$DAT" && [ "$(stat -L -c %s "$DAT")" -lt 99999999 ] && md5sum <"$DAT"; }

# launch TEXT ACTION LOOK: the driver starts the program and reports (R); with LOOK, the
# screen is read (SHOT) while the window is up, before the action.
launch() {
  local go="$E2E_TMP/go" out="$E2E_TMP/launch.txt" k v
  # A report left by the last case could be read before the start below truncates it.
  rm -f "$go" "$out"
  [ "$3" = - ] || cp "$(screenshot "$NAME-before")" "$E2E_TMP/before.png"
  # Wine's error lines are kept, to be shown when the case fails.
  WINEDEBUG=fixme-all wine "$DRIVER" launch "$SCR_WIN" "$1" "$2" "$(winepath -w "$go")" \
    >"$out" 2>"$E2E_TMP/launch.err" &
  local pid=$!
  until grep -q '^outcome=' "$out" || ! kill -0 $pid; do sleep 0.05; done 2>/dev/null
  SETTLED=1 WAITED=0
  if [ "$3" != - ] && grep -q '^outcome=window' "$out"; then
    # A finished frame that is no longer the screen from before the start.
    settled_shot "$NAME-case" eval '! cmp -s "$E2E_TMP/before.png" "$SHOT"' || SETTLED=0
    cp "$SHOT" "$E2E_TMP/first.png"
    SIZE=$(text_mask "$SHOT" "$E2E_TMP/first-mask.png")
    # Only the first frame has to settle: the next verse (or one in another level) is judged
    # by the screen words, on the last shot taken.
    if [[ $3 == *next* ]]; then
      SETTLE=20 settled_shot "$NAME-case" other_verse
    elif [[ " $3 " =~ \ (green|red|blue|yellow|cyan)\  ]] && TINT=${BASH_REMATCH[1]} &&
      { look shade "$SHOT" "$TINT"; [ $? = 2 ]; }; then
      # White text: a verse in another level comes after ChangeSec (15 s); one in five is
      # white again, so up to three more verses are waited for.
      WAITED=1
      SETTLE=50 settled_shot "$NAME-case" eval 'other_verse && { look shade "$SHOT" "$TINT"; [ $? != 2 ]; }'
    fi
  fi
  touch "$go"
  wait $pid
  R=(); while IFS='=' read -r k v; do [ -n "$k" ] && R[$k]=$v; done < <(tr -d '\r' <"$out")
}

# The reference look: the first case whose screen column says "ref" sets it. Every screen
# word expects text: a blank screen fails them all.
REF=""
check_screen() {
  local label=$1 t diff n
  [ -n "$SHOT" ] || { fail "$label: no window to look at"; return; }
  expect_eq "$label: a settled first frame within the time" 1 "$SETTLED"
  n=$(look text "$E2E_TMP/first.png")
  expect_true "$label: a verse is drawn ($n text pixels)" test "$n" -gt 300
  [ -z "$REF" ] && [[ " $2 " == *" ref "* ]] && { REF="$E2E_TMP/ref.png" REF_SIZE=$SIZE; cp "$E2E_TMP/first-mask.png" "$REF"; }
  diff=$(mask_diff "$REF" "$E2E_TMP/first-mask.png")
  for t in $2; do
    case $t in
      # The same text in another brightness or hue moves anti-aliased edge pixels across the
      # mask's threshold (a few hundred); text of another shape differs by thousands.
      ref) expect_true "$label: looks like the reference ($diff pixels differ)" test "$diff" -lt 1500 ;;
      shape) expect_true "$label: another shape or verse ($diff pixels differ; $SIZE of text, $REF_SIZE in the reference)" test "$diff" -gt 1000 ;;
      next) expect_true "$label: the next verse is another text" other_verse ;;
      # Bold is heavier than the reference by a quarter, a size of 45 four times as large.
      bigger | bolder) k=$([ "$t" = bigger ] && echo 150 || echo 115)
        expect_true "$label: $t ($SIZE pixels of text, $REF_SIZE in the reference)" \
          test $((SIZE * 100)) -gt $((REF_SIZE * k)) ;;
      # The face's line height, from the tops of the first two lines: 20 points at 96 DPI are
      # 27 pixels to the em and make lines 30 apart (±2, for the letters at a line's top).
      pitch=*) k=$(look pitch "$SHOT") off=$((k - ${t#pitch=}))
        expect_true "$label: lines ${t#pitch=} pixels apart ($k)" test "${off#-}" -le 2 ;;
      green | red | grey | blue | yellow | cyan)
        expect_true "$label: shades of $t" look shade "$SHOT" "$t" ;;
      underlined) expect_true "$label: the title at the top is underlined" look underlined "$SHOT" ;;
      # The desktop (30,60,90) behind the verse (drawn: checked above); with the shadow also
      # black next to the text.
      transp) expect_eq "$label: the desktop shows behind" "30,60,90 30,60,90" \
          "$(pixel_colour "$SHOT" 3 3) $(pixel_colour "$SHOT" 1020 764)" ;;
      shadow) k=$(look count "$SHOT" 0 184 1024 400 0,0,0 12)
        expect_true "$label: the shadow, black beside the verse ($k pixels)" test "$k" -gt 300 ;;
      dark) expect_eq "$label: black background" "0,0,0" "$(pixel_colour "$SHOT" 3 3)" ;;
      *) fail "$label: unknown screen word $t" ;;
    esac
  done
}

# One case: reset the store, start, judge.
run_case() {
  local name=$1 cmd="" failed=$E2E_FAILED t k v keys=()
  [ "$3" = - ] || cmd=$(expand "$3")
  CASES=$((CASES + 1))
  # What happens: macros expanded, a later "key=" overriding an earlier one; "do" is the
  # action, not checked.
  local -A want=([do]==click)
  for t in $4; do
    [[ $t == @* ]] && t=${M[${t#@}]}
    for t in $t; do
      k=${t%%[=<]*}
      [ -n "${want[$k]+x}" ] || keys+=("$k")
      want[$k]=${t:${#k}}
    done
  done
  store "$BASE_ITEMS;$2"
  settings_text "$E2E_TMP/before"
  local before; before=$(fingerprint)
  launch "$cmd" "${want[do]#=}" "$6"
  settings_text "$E2E_TMP/after"
  for k in "${keys[@]}"; do
    v=${want[$k]:1}
    case $k${want[$k]} in
      *\<*) expect_true "$name: $k below $v (${R[$k]:-})" test "${R[$k]:-99999}" -lt "$v" ;;
      *) expect_eq "$name: $k" "$v" "${R[$k]:-}" ;;
    esac
  done
  # A case that waited for a verse in another colour has moved on.
  local after=${5//%HOST%/${R[host]:-}}
  check_store "$name" "${after//%DEAD%/${R[host]:-}}$([ "$WAITED" = 1 ] &&
    echo ";LastVerse>$(raw_value LastVerse "$E2E_TMP/before" | tr -d '"')")"
  [[ $2 == *kjv=* ]] && expect_eq "$name: kjv.dat is never written" "$before" "$(fingerprint)"
  [ "$6" != - ] && check_screen "$name" "$6"
  [ "$E2E_FAILED" = "$failed" ] || {
    grep -v -e wine32 -e multiarch -e dpkg "$E2E_TMP/launch.err" | head -n 5 | sed 's/^/     /'
    [ -n "$SHOT" ] && cp "$SHOT" "$SHOTS_DIR/$NAME-failed-$CASES.png"; }
  SHOT=""
}

# brief TEXT: the text itself, or for a long one its length and a hash.
brief() { if [ ${#1} -le 80 ]; then printf '%s' "$1"; else printf '%s letters, md5 %s' ${#1} "$(printf '%s' "$1" | md5sum | cut -c1-16)"; fi; }
# check_store NAME ITEMS: every value named reads as given (">N", "<N": a number above or
# below N); no other
# value differs from the store before the start (PrevInstance excepted).
check_store() {
  local t k v op got keep=PrevInstance
  IFS=';' read -r -a items <<<"$2"
  for t in "${items[@]}"; do
    [ "$t" = - ] && continue
    k=${t%%[=<>]*} v=$(expand "${t:${#k}+1}") op=${t:${#k}:1}
    k=${k#Startup/} keep+="|$k"
    got=$(raw_value "$k" "$E2E_TMP/after" | sed 's/^"\(.*\)"$/\1/; s/\\\\/\\/g')
    case $op$v in
      '>'*) expect_true "$1: stored $k above $v ($got)" test "$got" -gt "$v" ;;
      '<'*) expect_true "$1: stored $k below $v ($got)" test "$got" -lt "$v" ;;
      *) expect_eq "$1: stored $k" "$(brief "$v")" "$(brief "$got")" ;;
    esac
  done
  # Two failed exports are equally empty: the store must have been read.
  expect_true "$1: the store could be read" grep -q '^"ChangeSec"=' "$E2E_TMP/after"
  expect_eq "$1: no other value changed" "$(values "$E2E_TMP/before" "$keep")" \
    "$(values "$E2E_TMP/after" "$keep")"
}

# other_verse: SHOT shows text, and other text than the first shot of the case. (More verses
# may come before the click on a busy machine: the store is checked as "LastVerse>N".)
other_verse() {
  [ "$(text_mask "$SHOT" "$E2E_TMP/now.png")" -gt 300 ] &&
    [ "$(mask_diff "$E2E_TMP/first-mask.png" "$E2E_TMP/now.png")" -gt 1000 ]
}

# Directives: "!base ITEMS" goes before every case's store; "!solid R G B" shows a window of that colour behind everything; "!first TEXT"
# starts a run that stays on the screen; "!last" ends it with a click and checks the store.
directive() {
  case $1 in
    '!base') BASE_ITEMS=$2 ;;
    '!solid') solid_desktop $3 ;;
    '!first')
      store "$BASE_ITEMS;$2"; start_scr $3; FIRST=$SCR_PID
      expect_eq "a first run shows its window" 1 "$(info_value "$(display_info)" found)" ;;
    '!last')
      xdotool click 1
      expect_true "the first run ends on a click" wait_gone "$FIRST" 8
      expect_eq "with code 0" 0 "$EXIT"
      settings_text "$E2E_TMP/after"
      check_store "after the first run" "$5" ;;
  esac
}

CASES=0 BASE_ITEMS="" SHOT="" REF_SIZE=0
while IFS=$'\t' read -r -u 3 name before cmd happens after screen; do
  case $name in
    '' | '#'*) ;;
    '!'*) directive "$name" "$before" "$cmd" "$happens" "$after" ;;
    *) run_case "$name" "$before" "$cmd" "$happens" "$after" "$screen" ;;
  esac
done 3<"$TABLE"
release
echo "cases: $CASES"
e2e_finish
