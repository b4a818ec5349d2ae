#!/usr/bin/env bash
# The hack in a host window of its own (--window-id, as the settings program's preview): the
# verse at a size scaled to the window; a destroyed window and SIGTERM both end it with the
# place saved; without kjv.dat it says so and stays up, black, until SIGTERM.
set -euo pipefail
. "$(dirname "$0")/../../scripts/xss.sh"
SHOTS=${VW_SHOTS:-$XSS_SRC/build/linux-shots}; mkdir -p "$SHOTS"
xss_home
T=$(mktemp -d /tmp/vw-preview.XXXXXX)
start_x Xvfb -screen 0 1024x768x24 -noreset
trap 'kill $X_PID ${HOSTPID:-} 2>/dev/null; rm -rf "$T" "$XSS_HOME"' EXIT
xsetroot -solid "$DESKTOP"
fail() { echo "FAIL: $*" >&2; cat "$T/err" >&2 2>/dev/null; exit 1; }
SHOT=$SHOTS/preview.png

# A 700x400 host window at the top left (ImageMagick's display, in the desktop colour).
host() {
  display -title "vwhost$1" -geometry 700x400+0+0 -border 0 -size 700x400 "xc:$DESKTOP" 2>/dev/null & HOSTPID=$!
  W=$(xdotool search --sync --name "vwhost$1" | head -1)
  # display maps its window before it takes the size asked for: wait for that size.
  waitfor 20 sized || fail "host window is $G"
}
sized() {  # where the host landed on the screen, WxH+X+Y in G; true once it is 700x400
  eval "$(xdotool getwindowgeometry --shell "$W")"; G=${WIDTH}x$HEIGHT+$X+$Y; [ "${G%%+*}" = 700x400 ]
}
run() {  # WINDOW: the hack in it, its pid in HPID
  env -i HOME="$T" DISPLAY="$DISPLAY" XDG_DATA_DIRS="$T/none" "$HACK" --root --window-id "$1" 2>"$T/err" & HPID=$!
}
ended() {  # PID EXPECTED-STATUS WHAT [PLACE: what the place file begins with, "" for no file]
  local rc=0 place=$T/.local/state/vellumway/place; timeout 20 tail -s 0.1 --pid="$1" -f /dev/null || fail "$3: still running"
  wait "$1" || rc=$?
  [ "$rc" = "$2" ] || fail "$3: exit status $rc, not $2"
  [ "$(head -1 "$place" 2>/dev/null)" = "${4-LastSection=1}" ] || fail "$3: the place file is: $(cat "$place" 2>&1)"
  rm -f "$place"
}

host 1; run "$W"
waitfor 30 grown "$G" 000000 || fail "no verse in the preview window"
# Scaled to the window: the text block sits inside it, off its edges, and nothing outside.
IFS='x+' read -r gw gh gx gy <<<"$G"
# (4 pixels in from the window's edges and out past its border: display's frame is no text)
w=$(convert "$SHOT" -crop "$((gw - 8))x$((gh - 8))+$((gx + 4))+$((gy + 4))" +repage -trim -format '%w' info:)
[ "$w" -lt 600 ] || fail "the verse fills $w of 700 pixels: not scaled to the window"
n=$(convert "$SHOT" -fill "$DESKTOP" -draw "rectangle $((gx - 4)),$((gy - 4)) $((gx + gw + 3)),$((gy + gh + 3))" \
      png:- | differing - 1024x768+0+0 "$DESKTOP")
[ "$n" = 0 ] || fail "$n pixels drawn outside the window"
xdotool windowkill "$W"; wait "$HOSTPID" 2>/dev/null || true
ended "$HPID" 0 "window destroyed"

host 2; run "$W"; LAST=-1
waitfor 30 grown "$G" 000000 || fail "no verse in the second preview"
kill -TERM "$HPID"; ended "$HPID" 143 "SIGTERM"

# No kjv.dat anywhere: one clear line, and it stays up until SIGTERM.
rm "$XSS_HOME/bin/kjv.dat"; run "$W"
waitfor 20 grep -q "kjv.dat not found" "$T/err" || fail "no word of the missing kjv.dat"
kill -0 "$HPID" || fail "ended without kjv.dat"
kill -TERM "$HPID"; ended "$HPID" 143 "without kjv.dat" ""
echo "preview: verse scaled to 700x400 ($w px wide); destroyed window and SIGTERM end it, place saved"
