#!/usr/bin/env bash
# The hack under the real XScreenSaver daemon: test_daemon.sh one|left|right.
#   one:   one monitor; the desktop image on, then off (grabDesktopImages False); the reading
#          place resumed across two activations, the daemon's SIGTERM saving it each time.
#   left, right: two monitors with the primary on that side; the verse on the primary only,
#          the other showing the desktop image alone.
set -euo pipefail
. "$(dirname "$0")/../../scripts/xss.sh"
case=${1:?one|left|right}
SHOTS=${VW_SHOTS:-$XSS_SRC/build/linux-shots}; mkdir -p "$SHOTS"
xss_home
fail() { echo "FAIL ($case): $*" >&2; echo "--- daemon log:" >&2; tail -20 "$XSS_HOME/xss.log" >&2; exit 1; }

if [ "$case" = one ]; then
  xss_start 1 left True "$HACK --root --change-sec 1 --desktop-image"
  mkdir -p "$(dirname "$PLACE")"; printf 'LastSection=1\nLastVerse=100\n' >"$PLACE"
  chown -R "$XSS_USER" "$XSS_HOME/.local"
  # The first activation over the desktop image; the second with none allowed, on black, goes
  # on from the place the first saved. The daemon's SIGTERM saves it each time (the exit
  # status it leaves is test_preview.sh's to check).
  v=100
  for grab in True False; do
    bg=$DESKTOP; [ "$grab" = True ] || bg=000000
    xss_config $grab "$HACK --root --change-sec 1 --desktop-image"
    SHOT=$SHOTS/one-$grab.png; LAST=-1; xss_activate 1
    waitfor 30 grown "1024x768+$XSS_PRIMARY_X+0" "$bg" || fail "no verse on $bg (grabDesktopImages $grab)"
    [ "$(pixel "$SHOT" 3 3)" = "${bg#\#}" ] || fail "corner is $(pixel "$SHOT" 3 3), not $bg (grabDesktopImages $grab)"
    xss_deactivate
    [ "$(sed -n 's/^LastSection=//p' "$PLACE")" = 1 ] && [ "$(sed -n 's/^LastVerse=//p' "$PLACE")" -ge $v ] ||
      fail "did not go on from verse $v: $(tr '\n' ' ' <"$PLACE")"
    v=$(sed -n 's/^LastVerse=//p' "$PLACE")
  done
  ! grep -q "reading place" "$XSS_HOME/xss.log" || fail "complained about a good place file"
  echo "one monitor: verse over the desktop and on black, place 100 -> $v"
else
  xss_start 2 "$case" True "$HACK --root --desktop-image"
  SHOT=$SHOTS/two-$case.png; xss_activate 1
  waitfor 30 grown "1024x768+$XSS_PRIMARY_X+0" "$DESKTOP" || fail "no verse on the primary ($case)"
  other=$(( 1024 - XSS_PRIMARY_X ))
  n=$(differing "$SHOT" "1024x768+$other+0" "$DESKTOP")
  [ "$n" = 0 ] || fail "$n pixels other than the desktop image on the other monitor"
  xss_deactivate
  [ -s "$PLACE" ] || fail "no place saved"
  echo "two monitors, primary $case: verse on the primary only"
fi
