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

log() { printf '  %s\n' "$*"; }

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
      local d; d=$(free_display)
      Xvfb ":$d" -screen 0 640x480x24 -nolisten tcp >/dev/null 2>&1 &
      local xpid=$!
      sleep 0.5
      DISPLAY=":$d" WINEPREFIX="$template/prefix" wineboot -i >/dev/null 2>&1
      WINEPREFIX="$template/prefix" wineserver -w
      kill "$xpid" 2>/dev/null; wait "$xpid" 2>/dev/null
      touch "$template/.ready"
    fi
  ) 9>"$VW_WINBUILD/wine-template.lock"
  echo "$template/prefix"
}

free_display() {
  local n
  for n in $(seq 140 199); do
    if [ ! -e "/tmp/.X$n-lock" ] && [ ! -e "/tmp/.X11-unix/X$n" ]; then echo "$n"; return; fi
  done
  echo 199
}

# e2e_setup [WIDTHxHEIGHT]: virtual display, fresh prefix, a private copy of the program.
e2e_setup() {
  local size=${1:-1024x768}
  E2E_TMP=$(mktemp -d /tmp/vw-e2e.XXXXXX)
  trap e2e_cleanup EXIT
  local template; template=$(wine_template)
  cp -a "$template" "$E2E_TMP/prefix"
  export WINEPREFIX="$E2E_TMP/prefix"
  E2E_DISPLAY=$(free_display)
  Xvfb ":$E2E_DISPLAY" -screen 0 "${size}x24" -nolisten tcp >/dev/null 2>&1 &
  E2E_XVFB=$!
  export DISPLAY=":$E2E_DISPLAY"
  for _ in $(seq 50); do [ -e "/tmp/.X11-unix/X$E2E_DISPLAY" ] && break; sleep 0.1; done
  APP="$E2E_TMP/app"
  mkdir -p "$APP"
  cp "$VW_DIST/Vellumway.scr" "$APP/"
  [ -f "$VW_DIST/kjv.dat" ] && ln -s "$VW_DIST/kjv.dat" "$APP/kjv.dat"
  mkdir -p "$SHOTS_DIR"
  # One persistent server for the whole test: a server that exits between two short-lived
  # wine processes can make the second one fail.
  wineserver -p >/dev/null 2>&1 || true
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
reg_names() {  # reg_names SECTION -> value names, one a line, sorted
  local path=$REG_SETTINGS; [ "$1" = Startup ] && path=$REG_STARTUP
  wine reg query "$path" 2>/dev/null | tr -d '\r' | awk '/^    [^ ]/ { sub(/^ +/, ""); split($0, f, /    /); print f[1] }' | sort
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
# wait_gone PID SECONDS: true when the process ended in time.
wait_gone() {
  local i
  for i in $(seq $(( $2 * 10 ))); do
    kill -0 "$1" 2>/dev/null || { wait "$1" 2>/dev/null; return 0; }
    sleep 0.1
  done
  return 1
}
# run_scr_wait SECONDS ARGS...: starts the program and waits for it to end.
run_scr_wait() {
  local t=$1; shift
  start_scr "$@"
  wait_gone "$SCR_PID" "$t"
}
# Every driver command prints something; a start of Wine that now and then comes to nothing
# is tried once more.
driver() {
  local out
  out=$(wine "$DRIVER" "$@" 2>/dev/null | tr -d '\r')
  [ -n "$out" ] || out=$(wine "$DRIVER" "$@" 2>/dev/null | tr -d '\r')
  printf '%s\n' "$out"
}

screenshot() {  # screenshot NAME: a PNG of the whole virtual display in SHOTS_DIR
  import -display "$DISPLAY" -window root "$SHOTS_DIR/$1.png" 2>/dev/null
  echo "$SHOTS_DIR/$1.png"
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
# The display window of a full-screen run, described by the driver (key=value lines).
display_info() { driver window-info VellumwayDisplay "${1:-8000}"; }
info_value() { printf '%s\n' "$1" | sed -n "s/^$2=//p" | head -n1; }
