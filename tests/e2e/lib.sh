# Shared helpers for the end-to-end tests: the real Vellumway.scr under Wine on a virtual
# display, each test in its own Xvfb and its own fresh Wine prefix in a temporary folder.
#
# Needs VW_DIST (Vellumway.scr, kjv.dat), VW_WINBUILD (Windows build folder with the test
# driver) and VW_SRC (the source tree); CTest sets all three.
set -u

: "${VW_DIST:?}" "${VW_WINBUILD:?}" "${VW_SRC:?}"
# Wine maps its shared user data at a fixed address. With the address space randomized, about
# one Wine start in 1,500 finds that place taken ("failed to map the shared user data") and
# fails, so the script that sources this runs again with a fixed layout (setarch -R, inherited
# by every child), unless VW_RANDOM_LAYOUT asks for the randomized one.
[ -n "${VW_RANDOM_LAYOUT:-}" ] || (( 0x$(</proc/self/personality) & 0x40000 )) ||
  exec setarch -R bash "$0" "$@"
export WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="

. "$VW_SRC/scripts/shared.sh"  # KEY, start_x, cpu_ticks

E2E_PASSED=0 E2E_FAILED=0
DRIVER="$VW_WINBUILD/tests/e2e/driver/vwdriver.exe"
SHOTS_DIR="${VW_SHOTS:-$VW_WINBUILD/e2e-shots}"

pass() { E2E_PASSED=$((E2E_PASSED + 1)); printf 'ok   %s\n' "$*"; }
fail() { E2E_FAILED=$((E2E_FAILED + 1)); printf 'FAIL %s\n' "$*"; }
# expect_eq LABEL EXPECTED ACTUAL; expect_true LABEL COMMAND...
expect_eq() { if [ "$2" = "$3" ]; then pass "$1"; else fail "$1: expected [$2], got [$3]"; fi; }
expect_true() { if "${@:2}"; then pass "$1"; else fail "$1"; fi; }
e2e_finish() { echo "${E2E_PASSED} passed, ${E2E_FAILED} failed"; [ "$E2E_FAILED" -eq 0 ]; }

# e2e_setup [WIDTHxHEIGHT]: virtual display, fresh prefix, a private copy of the program. The
# prefix is booted once per build folder and copied for each test: the copy is as fresh as a
# new prefix and costs two seconds instead of fifteen.
e2e_setup() {
  local size=${1:-1024x768} template="$VW_WINBUILD/wine-template"
  E2E_TMP=$(mktemp -d /tmp/vw-e2e.XXXXXX)
  trap e2e_cleanup EXIT
  (
    flock 9
    if [ ! -f "$template/.ready" ]; then
      rm -rf "$template"; mkdir -p "$template"
      start_x Xvfb -screen 0 640x480x24
      WINEPREFIX="$template/prefix" wineboot -i >/dev/null 2>&1
      WINEPREFIX="$template/prefix" wineserver -w
      kill "$X_PID" 2>/dev/null; wait "$X_PID" 2>/dev/null
      touch "$template/.ready"
    fi
  ) 9>"$VW_WINBUILD/wine-template.lock"
  cp -a "$template/prefix" "$E2E_TMP/prefix"
  export WINEPREFIX="$E2E_TMP/prefix"
  start_x Xvfb -screen 0 "${size}x24"
  E2E_XVFB=$X_PID E2E_DISPLAY=$DISPLAY
  APP="$E2E_TMP/app"
  mkdir -p "$APP" "$SHOTS_DIR"
  cp "$VW_DIST/Vellumway.scr" "$APP/"
  ln -s "$VW_DIST/kjv.dat" "$APP/kjv.dat"
  # One persistent server for the whole test: a server that exits between two short-lived
  # wine processes can make the second one fail. Started here and waited for.
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

# reg_set SECTION KEY VALUE [TYPE]
reg_set() { wine reg add "$KEY\\$1" /v "$2" /t "${4:-REG_SZ}" /d "$3" /f >/dev/null 2>&1; }
reg_get() { reg_value "$KEY\\$1" "$2"; }  # reg_get SECTION NAME
reg_value() {  # reg_value KEY NAME -> the value's data (nothing when there is no such value)
  wine reg query "$1" /v "$2" 2>/dev/null | tr -d '\r' | sed -n 's/^ \+[^ ]\+ \+REG_[A-Z_]\+ *//p'
}
# settings_text FILE: the program's whole key as UTF-8 text (FILE.reg as exported).
settings_text() {
  wine reg export "$KEY" "$1.reg" /y >/dev/null 2>&1 || : >"$1.reg"
  iconv -f UTF-16LE -t UTF-8 "$1.reg" 2>/dev/null | tr -d '\r' >"$1"
}

# start_scr ARGS...: starts Vellumway.scr in the background; its pid is in SCR_PID.
start_scr() { (cd "$APP" && exec wine "$APP/Vellumway.scr" "$@") >/dev/null 2>&1 & SCR_PID=$!; }
# wait_for SECONDS COMMAND...: true as soon as the command is, false when the time is up.
wait_for() {
  local i; for i in $(seq $(($1 * 10))); do "${@:2}" && return 0; sleep 0.1; done; return 1
}
# wait_gone PID SECONDS: true when the process ended in time (its code in EXIT); left
# running otherwise.
wait_gone() {
  wait_for "$2" eval "! kill -0 $1 2>/dev/null" || return 1; wait "$1" 2>/dev/null; EXIT=$?
}
driver() { wine "$DRIVER" "$@" 2>/dev/null | tr -d '\r'; }
# solid_desktop R G B: a stand-in desktop of that colour behind everything (Wine's capture
# sees Wine's windows only), once it is painted; its process in DESKTOP_PID.
solid_desktop() {
  wine "$DRIVER" solid-window "$@" >"$E2E_TMP/desktop.out" 2>/dev/null &
  DESKTOP_PID=$!
  wait_for 10 grep -q solid=1 "$E2E_TMP/desktop.out"
}
# The display window of a full-screen run, described by the driver (key=value lines).
display_info() { driver window-info VellumwayDisplay 15000; }
info_value() { printf '%s\n' "$1" | sed -n "s/^$2=//p" | head -n1; }

set_dpi() {  # set_dpi DPI: the display scale for programs started from now on
  wine reg add 'HKCU\Control Panel\Desktop' /v LogPixels /t REG_DWORD /d "$1" /f >/dev/null 2>&1
  wine reg add 'HKCC\Software\Fonts' /v LogPixels /t REG_DWORD /d "$1" /f >/dev/null 2>&1
}
# captions_fit LABEL DPI: every caption of the open settings dialog fits its control, measured
# in the dialog's font at DPI.
captions_fit() {
  local captions
  captions=$(driver controls "$2" | grep '\.fits=')
  expect_true "$1: all $(grep -c . <<<"$captions") captions (17 or more) fit their controls" \
    test "$(grep -c '=1$' <<<"$captions")" -ge 17 -a "$(grep -c '=0$' <<<"$captions")" = 0
}
# text_box SHOT: "width height x y" of the verse's (green) pixels ("0 0 0 0" when none).
text_box() {
  convert "$1" -channel G -separate +channel -threshold 30% -format '%@' info: 2>/dev/null |
    sed 's/[x+]/ /g; s/^0 0 .*/0 0 0 0/'
}
# has_text: SHOT shows the verse.
has_text() { [ "$(text_box "$SHOT")" != "0 0 0 0" ]; }

screenshot() {  # screenshot NAME: a PNG of the whole virtual display in SHOTS_DIR
  import -display "$DISPLAY" -window root "$SHOTS_DIR/$1.png" 2>/dev/null; echo "$SHOTS_DIR/$1.png"
}
pixel_colour() {  # pixel_colour SHOT X Y -> "r,g,b"
  convert "$1" -format "%[fx:round(255*p{$2,$3}.r)],%[fx:round(255*p{$2,$3}.g)],%[fx:round(255*p{$2,$3}.b)]" info: 2>/dev/null
}
mask_diff() { compare -metric AE "$1" "$2" null: 2>&1 | cut -d' ' -f1; }  # differing pixels
# settled_shot NAME TEST...: screenshots (the last in SHOT) until one is the same as the one
# before it and TEST holds: a finished frame, not one in the middle of a growth step. False
# when none is within SETTLE seconds (default 10); SHOT is then the last one taken.
settled_shot() {
  local end=$((SECONDS + ${SETTLE:-10})) prev="$E2E_TMP/prev.png"
  SHOT=$(screenshot "$1")
  while [ "$SECONDS" -lt "$end" ]; do
    cp "$SHOT" "$prev"
    sleep 0.3  # growth steps come every 25 ms: shots this far apart that agree show a still frame
    SHOT=$(screenshot "$1")
    cmp -s "$prev" "$SHOT" && "${@:2}" && return
  done
  return 1
}
# values FILE NAMES: the value lines of an exported key (settings_text), sorted, but for those
# of the names given (a|b|...).
values() { grep '^"' "$1" | grep -viE "^\"($2)\"=" | sort; }
