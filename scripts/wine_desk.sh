# Sourced, not run: the real Vellumway.scr under Wine on a virtual display of its own, in a
# fresh Wine prefix in a temporary folder. What the figure scripts and the end-to-end tests
# share; the test library (tests/e2e/lib.sh) adds its checks on top.
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
DRIVER="$VW_WINBUILD/tests/e2e/driver/vwdriver.exe"
SHOTS_DIR="${VW_SHOTS:-$VW_WINBUILD/e2e-shots}"

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
# The display window of a full-screen run, described by the driver (key=value lines).
display_info() { driver window-info VellumwayDisplay 15000; }
info_value() { printf '%s\n' "$1" | sed -n "s/^$2=//p" | head -n1; }

# values FILE NAMES: the value lines of an exported key (settings_text), sorted, but for those
# of the names given (a|b|...).
values() { grep '^"' "$1" | grep -viE "^\"($2)\"=" | sort; }
