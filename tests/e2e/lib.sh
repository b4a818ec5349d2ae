# Shared helpers for the end-to-end tests: the real Vellumway.scr under Wine on a virtual
# display, each test in its own Xvfb and its own fresh Wine prefix in a temporary folder.
#
# Needs VW_DIST (Vellumway.scr, kjv.dat), VW_WINBUILD (Windows build folder with the test
# driver) and VW_SRC (the source tree); CTest sets all three.
set -u

: "${VW_DIST:?}" "${VW_WINBUILD:?}" "${VW_SRC:?}"
export WINEDEBUG=-all
export WINEDLLOVERRIDES="mscoree,mshtml="

E2E_PASSED=0
E2E_FAILED=0
REG_SETTINGS='HKCU\Software\VB and VBA Program Settings\Vellumway Screen Saver\Settings'
REG_STARTUP='HKCU\Software\VB and VBA Program Settings\Vellumway Screen Saver\Startup'
DRIVER="$VW_WINBUILD/tests/e2e/driver/vwdriver.exe"
SHOTS_DIR="${VW_SHOTS:-$VW_WINBUILD/e2e-shots}"
E2E_NAME=${E2E_NAME:-$(basename "$0" .sh)}  # names this test's screenshots


pass() { E2E_PASSED=$((E2E_PASSED + 1)); printf 'ok   %s\n' "$*"; }
fail() { E2E_FAILED=$((E2E_FAILED + 1)); printf 'FAIL %s\n' "$*"; }

# expect_eq LABEL EXPECTED ACTUAL
expect_eq() {
  if [ "$2" = "$3" ]; then pass "$1"; else fail "$1: expected [$2], got [$3]"; fi
}
# expect_true LABEL COMMAND...
expect_true() {
  local label=$1; shift
  if "$@"; then pass "$label"; else fail "$label"; fi
}

# A prefix booted once per build folder and copied for each test: the copy is as fresh as a
# new prefix and costs two seconds instead of fifteen.
wine_template() {
  local template="$VW_WINBUILD/wine-template"
  (
    flock 9
    if [ ! -f "$template/.ready" ]; then
      rm -rf "$template"
      mkdir -p "$template"
      start_xvfb 640x480
      WINEPREFIX="$template/prefix" wineboot -i >/dev/null 2>&1
      WINEPREFIX="$template/prefix" wineserver -w
      kill "$E2E_XVFB" 2>/dev/null; wait "$E2E_XVFB" 2>/dev/null
      touch "$template/.ready"
    fi
  ) 9>"$VW_WINBUILD/wine-template.lock"
  echo "$template/prefix"
}

# free_display: a display number no server holds now (for a nested server such as Xephyr;
# a server that takes -displayfd picks its own, which is safe with tests side by side).
free_display() {
  local n
  for n in $(seq 140 199); do [ -e "/tmp/.X$n-lock" ] || [ -e "/tmp/.X11-unix/X$n" ] || { echo "$n"; return; }; done
}
# start_xvfb WIDTHxHEIGHT: a virtual display on a number the X server picks itself (tests run
# side by side), returning once it accepts clients; sets DISPLAY and E2E_XVFB.
start_xvfb() {
  local fifo; fifo=$(mktemp -u /tmp/vw-xvfb.XXXXXX); mkfifo "$fifo"
  Xvfb -displayfd 3 -screen 0 "${1}x24" -nolisten tcp 3>"$fifo" >/dev/null 2>&1 &
  E2E_XVFB=$!
  read -r -t 20 E2E_DISPLAY <"$fifo"; rm -f "$fifo"
  export DISPLAY=":$E2E_DISPLAY"
}

# e2e_setup [WIDTHxHEIGHT]: virtual display, fresh prefix, a private copy of the program.
e2e_setup() {
  local size=${1:-1024x768}
  E2E_TMP=$(mktemp -d /tmp/vw-e2e.XXXXXX)
  trap e2e_cleanup EXIT
  local template; template=$(wine_template)
  cp -a "$template" "$E2E_TMP/prefix"
  export WINEPREFIX="$E2E_TMP/prefix"
  start_xvfb "$size"
  APP="$E2E_TMP/app"
  mkdir -p "$APP"
  cp "$VW_DIST/Vellumway.scr" "$APP/"
  [ -f "$VW_DIST/kjv.dat" ] && ln -s "$VW_DIST/kjv.dat" "$APP/kjv.dat"
  mkdir -p "$SHOTS_DIR"
  # One persistent server for the whole test: a server that exits between two short-lived
  # wine processes can make the second one fail. Started here and waited for, so that no
  # two wine processes race to start it.
  wineserver -p >/dev/null 2>&1
  wine reg query 'HKCU\Control Panel' >/dev/null 2>&1
  xdotool mousemove "$(( ${size%x*} / 2 ))" "$(( ${size#*x} / 2 ))"
}

e2e_cleanup() {
  local rc=$?
  [ -n "${WINEPREFIX:-}" ] && wineserver -k >/dev/null 2>&1
  [ -n "${E2E_XVFB:-}" ] && kill "$E2E_XVFB" 2>/dev/null && wait "$E2E_XVFB" 2>/dev/null
  [ -n "${E2E_TMP:-}" ] && rm -rf "$E2E_TMP"
  exit "$rc"
}

# Ends the test with the plain closing line and the right exit code.
e2e_finish() {
  echo "${E2E_PASSED} passed, ${E2E_FAILED} failed"
  [ "$E2E_FAILED" -eq 0 ]
}

# --- the registry ----------------------------------------------------------------------
reg_set() {  # reg_set SECTION KEY VALUE [TYPE]
  local path=$REG_SETTINGS; [ "$1" = Startup ] && path=$REG_STARTUP
  wine reg add "$path" /v "$2" /t "${4:-REG_SZ}" /d "$3" /f >/dev/null 2>&1
}
reg_get() {  # reg_get SECTION KEY -> value, or "<absent>"
  local path=$REG_SETTINGS; [ "$1" = Startup ] && path=$REG_STARTUP
  local out
  out=$(wine reg query "$path" /v "$2" 2>/dev/null | tr -d '\r' | awk -v k="$2" '
    { line=$0; sub(/^ +/, "", line); n=split(line, f, /    /);
      if (tolower(f[1]) == tolower(k) && n >= 2) { v=""; for (i=3;i<=n;i++) v = v (i>3?"    ":"") f[i]; print v; found=1 } }
    END { if (!found) print "<absent>" }')
  printf '%s' "$out"
}
reg_names() {  # reg_names: the names of the options, one a line
  wine reg query "$REG_SETTINGS" 2>/dev/null | tr -d '\r' | awk '/^    [^ ]/ { print $1 }'
}
reg_export() {  # reg_export FILE: the program's whole key
  wine reg export 'HKCU\Software\VB and VBA Program Settings\Vellumway Screen Saver' "$1" /y >/dev/null 2>&1 || : >"$1"
}

# --- the program -----------------------------------------------------------------------
# start_scr ARGS...: starts Vellumway.scr in the background; its pid is in SCR_PID.
start_scr() {
  (cd "$APP" && exec wine "$APP/Vellumway.scr" "$@") >/dev/null 2>&1 &
  SCR_PID=$!
}
# wait_exit PID SECONDS: ENDED=1 and EXIT set when the process ended in time; otherwise it is
# killed (it is ours), ENDED=0 and the answer false.
wait_exit() {
  local i
  for i in $(seq $(( $2 * 20 ))); do
    kill -0 "$1" 2>/dev/null || { wait "$1"; EXIT=$? ENDED=1; return 0; }
    sleep 0.05
  done
  kill "$1" 2>/dev/null; wait "$1" 2>/dev/null
  ENDED=0 EXIT=-1
  return 1
}
# wait_gone PID SECONDS: true when the process ended in time (left running otherwise).
wait_gone() {
  local i
  for i in $(seq $(($2 * 20))); do
    kill -0 "$1" 2>/dev/null || { wait "$1" 2>/dev/null; return 0; }
    sleep 0.05
  done
  return 1
}
# wait_for SECONDS COMMAND...: true as soon as the command is, false when the time is up.
wait_for() {
  local i n=$(($1 * 10)); shift
  for i in $(seq "$n"); do "$@" && return 0; sleep 0.1; done
  return 1
}
# run_scr_wait SECONDS ARGS...: starts the program and waits for it to end.
run_scr_wait() {
  local t=$1; shift
  start_scr "$@"
  wait_gone "$SCR_PID" "$t"
}
driver() { wine "$DRIVER" "$@" 2>/dev/null | tr -d '\r'; }

screenshot() {  # screenshot NAME: a PNG of the whole virtual display in SHOTS_DIR
  import -display "$DISPLAY" -window root "$SHOTS_DIR/$1.png" 2>/dev/null
  echo "$SHOTS_DIR/$1.png"
}

# settled_screenshot: SHOT, a screenshot equal to one taken 0.3 s before it (within 3 s), so
# that it shows a finished frame and not one in the middle of a growth step.
settled_screenshot() {
  local i previous="$E2E_TMP/previous.png"
  SHOT=$(screenshot "$E2E_NAME-case")
  for i in 1 2 3 4 5 6 7 8 9 10; do
    cp "$SHOT" "$previous"
    sleep 0.3
    SHOT=$(screenshot "$E2E_NAME-case")
    [ "$(mask_diff "$previous" "$SHOT")" = 0 ] && return
  done
}

# --- the registry as text ---------------------------------------------------------------
# The driver's key=value output (a file) in the associative array R.
declare -A R=()
read_kv() {
  R=()
  local k v
  while IFS='=' read -r k v; do [ -n "$k" ] && R[$k]=${v%$'\r'}; done <"$1"
}
# settings_text FILE: the program's whole registry key as UTF-8 text, one value a line.
settings_text() {
  reg_export "$1.reg"
  iconv -f UTF-16LE -t UTF-8 "$1.reg" 2>/dev/null | tr -d '\r' >"$1"
}
# raw_value NAME FILE: the stored form of a value as exported ("15", dword:00000005, ...),
# <absent> when missing. Names match without regard to case, as in the registry.
raw_value() {
  awk -v k="$1" 'BEGIN { k = tolower(k) }
    /^\[/ { section = $0 }
    section ~ /\\Settings\]$/ || section ~ /\\Startup\]$/ {
      if (substr($0, 1, 1) != "\"") next
      i = index(substr($0, 2), "\"=")
      if (tolower(substr($0, 2, i - 1)) == k) { print substr($0, i + 3); found = 1 }
    }
    END { if (!found) print "<absent>" }' "$2"
}
# other_values FILE KEY...: every value line of the file except those of the keys named.
other_values() {
  local file=$1; shift
  local skip; skip=$(printf '%s\n' "$@" | tr 'A-Z' 'a-z' | paste -sd'|')
  awk -v skip="|$skip|" '/^"/ { i = index(substr($0, 2), "\"="); n = tolower(substr($0, 2, i - 1));
      if (index(skip, "|" n "|") == 0) print }' "$file" | sort
}

# --- what is on the screen --------------------------------------------------------------
# region_max SHOT WxH+X+Y: the brightest channel value (0-255) in the region.
region_max() {
  convert "$1" -crop "$2" +repage -format '%[fx:int(255*maxima)]' info: 2>/dev/null
}
# region_colour SHOT X Y: "r,g,b" of one pixel.
pixel_colour() {
  convert "$1" -format "%[fx:int(255*p{$2,$3}.r)],%[fx:int(255*p{$2,$3}.g)],%[fx:int(255*p{$2,$3}.b)]" info: 2>/dev/null
}
# region_count SHOT WxH+X+Y FX: how many pixels of the region satisfy the -fx expression.
region_count() {
  convert "$1" -crop "$2" +repage -fx "$3 ? 1 : 0" -format '%[fx:int(mean*w*h+0.5)]' info: 2>/dev/null
}
# text_mask SHOT OUT: the shape of the text on a black screen, independent of its random
# brightness (levels stretched to full range, then cut at 40 %).
text_mask() { convert "$1" -colorspace gray -auto-level -threshold 40% "$2" 2>/dev/null; }
# mask_diff A B: how many pixels of two images differ.
mask_diff() { compare -metric AE "$1" "$2" null: 2>&1 | cut -d' ' -f1; }
# count_where SHOT WxH+X+Y CONDITION: how many pixels of the region that are not black satisfy
# the awk condition over r, g, b (0-1). (Much faster than -fx on a large region.)
count_where() {
  # A screenshot with nothing but greys (white text) is stored as a grey image: gray(v).
  convert "$1" -crop "$2" +repage -transparent black sparse-color:- 2>/dev/null | tr ' ' '\n' |
    sed -n -e 's/.*rgba*(\([0-9]*\),\([0-9]*\),\([0-9]*\).*/\1 \2 \3/p' \
           -e 's/.*graya*(\([0-9]*\)[,)].*/\1 \1 \1/p' |
    awk "{ r = \$1 / 255; g = \$2 / 255; b = \$3 / 255; if ($3) n++ } END { print n + 0 }"
}
# colour_fits SHOT COLOUR: true when every text pixel of the middle band is a shade of the
# colour (green, red, grey) or, for black, when nothing is drawn there. Shades are (L, 2L, L)
# and the like, capped at 255, so a bright level turns any of them white: the test then
# cannot tell them apart and passes; a darker level tells them apart.
colour_fits() {
  local band=1024x400+0+184 lit off
  lit=$(count_where "$1" "$band" 'r > 0.2 || g > 0.2 || b > 0.2')
  case $2 in
    black) [ "${lit:-0}" -lt 50 ]; return ;;
    green) off='g + 0.03 < r || g + 0.03 < b || r - b > 0.12 || b - r > 0.12' ;;
    red) off='r + 0.03 < g || r + 0.03 < b || g - b > 0.12 || b - g > 0.12' ;;
    grey) off='r - g > 0.06 || g - r > 0.06 || g - b > 0.06 || b - g > 0.06' ;;
  esac
  [ "${lit:-0}" -ge 50 ] &&
    [ "$(count_where "$1" "$band" "(r > 0.2 || g > 0.2 || b > 0.2) && ($off)")" = 0 ]
}
# The display window of a full-screen run, described by the driver (key=value lines).
display_info() { driver window-info VellumwayDisplay "${1:-8000}"; }
info_value() { printf '%s\n' "$1" | sed -n "s/^$2=//p" | head -n1; }
