#!/usr/bin/env bash
# The hack under the real XScreenSaver daemon: test_daemon.sh one|left|right.
#   one:   one monitor; the desktop image on, then off (grabDesktopImages False); the reading
#          place resumed across two activations, the daemon's SIGTERM saving it each time.
#   left, right: two monitors with the primary on that side; the verse on the primary only,
#          the other showing the desktop image alone.
set -euo pipefail
. "$(dirname "$0")/xss_lib.sh"
case=${1:?one|left|right}
SHOTS=${VW_SHOTS:-$XSS_SRC/build/linux-shots}; mkdir -p "$SHOTS"
xss_home
fail() { echo "FAIL ($case): $*" >&2; echo "--- daemon log:" >&2; tail -20 "$XSS_HOME/xss.log" >&2; exit 1; }

if [ "$case" = one ]; then
  xss_start 1 left True "$HACK --root --change-sec 1 --desktop-image"
  mkdir -p "$(dirname "$PLACE")"; printf 'LastSection=1\nLastVerse=100\n' >"$PLACE"
  chown -R "$XSS_USER" "$XSS_HOME/.local"
  SHOT=$SHOTS/one-image.png; xss_activate 1
  waitfor 30 grown "1024x768+$XSS_PRIMARY_X+0" "$DESKTOP" || fail "no verse over the desktop image"
  [ "$(pixel "$SHOT" 3 3)" = "${DESKTOP#\#}" ] || fail "corner is $(pixel "$SHOT" 3 3), not the desktop"
  xss_deactivate  # its SIGTERM; the exit status it leaves is test_preview.sh's to check
  v1=$(sed -n 's/^LastVerse=//p' "$PLACE"); s1=$(sed -n 's/^LastSection=//p' "$PLACE")
  [ "$s1" = 1 ] && [ "$v1" -ge 100 ] || fail "place after the first activation: $(tr '\n' ' ' <"$PLACE")"

  # The second activation: no desktop image allowed; the place goes on from the first.
  xss_config False "$HACK --root --change-sec 1 --desktop-image"
  SHOT=$SHOTS/one-black.png; LAST=-1; xss_activate 1
  waitfor 30 grown "1024x768+$XSS_PRIMARY_X+0" 000000 || fail "no verse on black"
  [ "$(pixel "$SHOT" 3 3)" = 000000 ] || fail "corner is $(pixel "$SHOT" 3 3) with grabDesktopImages False"
  xss_deactivate
  v2=$(sed -n 's/^LastVerse=//p' "$PLACE")
  [ "$v2" -ge "$v1" ] || fail "the second activation did not resume at $v1 (saved $v2)"
  ! grep -q "reading place" "$XSS_HOME/xss.log" || fail "complained about a good place file"
  echo "one monitor: verse over the desktop and on black, place $v1 -> $v2"
else
  xss_start 2 "$case" True "$HACK --root --desktop-image"
  SHOT=$SHOTS/two-$case.png; xss_activate 1
  [ -n "$PRIMARY_HACK" ] || fail "no hack on the primary monitor"
  waitfor 30 grown "1024x768+$XSS_PRIMARY_X+0" "$DESKTOP" || fail "no verse on the primary ($case)"
  other=$(( 1024 - XSS_PRIMARY_X ))
  n=$(differing "$SHOT" "1024x768+$other+0" "$DESKTOP")
  [ "$n" = 0 ] || fail "$n pixels other than the desktop image on the other monitor"
  xss_deactivate
  [ -s "$PLACE" ] || fail "no place saved"
  echo "two monitors, primary $case: verse on the primary only"
fi
