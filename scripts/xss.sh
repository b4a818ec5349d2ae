# Sourced: the hack under the real XScreenSaver daemon on an Xvfb of its own, as an
# unprivileged user (the daemon launches no hacks as root) with a temporary HOME, waiting on
# conditions only. Used by the Linux tests, `scripts/run.sh linux` and the CPU script.
#   xss_home         (the temporary HOME: HACK, PLACE)
#   xss_start MONITORS PRIMARY(left|right) GRAB(True|False) PROGRAM...   (one program a line)
#   xss_activate N   (select program N; HPIDS: the hacks)
#   xss_deactivate   (the daemon ends the hacks with SIGTERM; waits until they are gone)
. "$(dirname "${BASH_SOURCE[0]}")/shared.sh"
XSS_USER=${XSS_USER:-nobody}
XSS_SRC=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
XSS_DIST=${VW_DIST:-$XSS_SRC/build/dist}
DESKTOP='#806040'  # the root's colour: the "desktop" the daemon's image shows

# waitfor SECONDS COMMAND...: until COMMAND succeeds, or fail at the deadline.
waitfor() { local d=$(( $(date +%s) + $1 )); shift; until "$@" >/dev/null 2>&1; do
  [ "$(date +%s)" -lt "$d" ] || { echo "timeout: $*" >&2; return 1; }; sleep 0.1; done; }
as_u() { runuser -u "$XSS_USER" -- env -i HOME="$XSS_HOME" DISPLAY="$DISPLAY" PATH=/usr/bin:/bin "$@"; }

xss_cleanup() {
  [ -n "${XSS_KEEP:-}" ] && return 0
  [ -n "${XSS_PID:-}" ] && { as_u xscreensaver-command -exit >/dev/null 2>&1
    timeout 5 tail -s 0.1 --pid="$XSS_PID" -f /dev/null || kill "$XSS_PID"; } 2>/dev/null
  [ -n "${X_PID:-}" ] && kill "$X_PID" 2>/dev/null
  wait 2>/dev/null
  [ -n "${XSS_HOME:-}" ] && rm -rf "$XSS_HOME"
  return 0
}

# The grabDesktopImages line of ~/.xscreensaver (the daemon and the hack both read it).
xss_config() {  # GRAB PROGRAM...
  local grab=$1; shift
  { printf 'mode: one\nselected: 0\ntimeout: 0:30:00\nlock: False\nfade: False\nunfade: False\n'
    printf 'splash: False\ndpmsEnabled: False\ngrabDesktopImages: %s\nprograms:' "$grab"
    for p in "$@"; do printf '\t%s \\n\\\n' "$p"; done; echo; } >"$XSS_HOME/.xscreensaver"
  chown "$XSS_USER" "$XSS_HOME/.xscreensaver"
}

# The user's temporary HOME, with the hack and kjv.dat side by side where the user can read
# them: HACK and PLACE (the reading place file) name them.
xss_home() {
  trap xss_cleanup EXIT
  XSS_HOME=$(mktemp -d /tmp/vw-xss.XXXXXX); chmod 755 "$XSS_HOME"
  mkdir -p "$XSS_HOME/bin"; cp "$XSS_DIST/vellumway" "$XSS_DIST/kjv.dat" "$XSS_HOME/bin/"
  HACK="$XSS_HOME/bin/vellumway"; PLACE="$XSS_HOME/.local/state/vellumway/place"
}

xss_start() {
  XSS_MONITORS=$1; XSS_PRIMARY_X=0; [ "$2" = right ] && XSS_PRIMARY_X=1024
  local monitors=$1 grab=$3; shift 3
  [ -n "${XSS_HOME:-}" ] || xss_home
  start_x Xvfb -screen 0 $((1024 * monitors))x768x24 -noreset
  waitfor 10 xdpyinfo
  if [ "$monitors" = 2 ]; then  # Xinerama head 0: the monitor made first, bound to the output
    xrandr --setmonitor P 1024/270x768/203+$XSS_PRIMARY_X+0 screen >/dev/null
    xrandr --setmonitor O 1024/270x768/203+$((1024 - XSS_PRIMARY_X))+0 none >/dev/null
  fi
  xsetroot -solid "$DESKTOP"
  xss_config "$grab" "$@"
  chown -R "$XSS_USER" "$XSS_HOME"
  as_u xscreensaver --no-splash --verbose >"$XSS_HOME/xss.log" 2>&1 & XSS_PID=$!
  waitfor 20 as_u xscreensaver-command -version
  return 0
}

# The processes below ours: the daemon under runuser, xscreensaver-gfx under it.
_descendants() { local p; for p in $(ps --ppid "$1" -o pid= 2>/dev/null); do echo "$p"; _descendants "$p"; done; }
xss_gfx() { for p in $(_descendants "$XSS_PID"); do
  case $(ps -o args= -p "$p") in xscreensaver-gfx*) true ;; *) false ;; esac && echo "$p"; done; return 0; }
xss_hacks() { local g; g=$(xss_gfx); [ -n "$g" ] || return 0
  ps --ppid "$g" -o pid=,args= | grep -v xscreensaver-gl-visual | awk '{print $1}'; }
_enough_hacks() { [ "$(xss_hacks | wc -l)" -ge "$XSS_MONITORS" ]; }

xss_activate() {
  as_u xscreensaver-command -select "$1" >/dev/null  # returns once the screen is blanked
  waitfor 20 _enough_hacks
  HPIDS=$(xss_hacks | tr '\n' ' ')
}

xss_deactivate() {
  as_u xscreensaver-command -deactivate >/dev/null
  local p; for p in $HPIDS; do timeout 20 tail -s 0.1 --pid="$p" -f /dev/null; done
}

# Pixels of GEOMETRY (WxH+X+Y) in the screenshot FILE that differ from COLOUR.
differing() {
  convert "$1" -crop "$2" +repage -fill black -opaque "$3" -fill white +opaque black \
    -format '%[fx:int(mean*w*h+0.5)]' info:
}
# The colour of one pixel.
pixel() { convert "$1" -format "%[hex:p{$2,$3}]" info:; }

# The verse has grown when its pixels in GEOMETRY (those other than BACKGROUND) stop changing
# between two shots of the screen into $SHOT. LAST=-1 before waiting on another verse.
LAST=-1
grown() {  # GEOMETRY BACKGROUND
  import -window root "$SHOT"
  local n; n=$(differing "$SHOT" "$1" "$2")
  [ "$n" -gt 200 ] && [ "$n" = "$LAST" ] && return 0
  LAST=$n; return 1
}
