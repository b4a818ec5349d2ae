# Shared helpers for the end-to-end tests: the desk of scripts/wine_desk.sh (each test in its
# own Xvfb and its own fresh Wine prefix), and the checks and screen reading on top of it.
. "$(dirname "${BASH_SOURCE[0]}")/../../scripts/wine_desk.sh"

E2E_PASSED=0 E2E_FAILED=0

pass() { E2E_PASSED=$((E2E_PASSED + 1)); printf 'ok   %s\n' "$*"; }
fail() { E2E_FAILED=$((E2E_FAILED + 1)); printf 'FAIL %s\n' "$*"; }
# expect_eq LABEL EXPECTED ACTUAL; expect_true LABEL COMMAND...
expect_eq() { if [ "$2" = "$3" ]; then pass "$1"; else fail "$1: expected [$2], got [$3]"; fi; }
expect_true() { if "${@:2}"; then pass "$1"; else fail "$1"; fi; }
e2e_finish() { echo "${E2E_PASSED} passed, ${E2E_FAILED} failed"; [ "$E2E_FAILED" -eq 0 ]; }

# solid_desktop R G B: a stand-in desktop of that colour behind everything (Wine's capture
# sees Wine's windows only), once it is painted; its process in DESKTOP_PID.
solid_desktop() {
  wine "$DRIVER" solid-window "$@" >"$E2E_TMP/desktop.out" 2>/dev/null &
  DESKTOP_PID=$!
  wait_for 10 grep -q solid=1 "$E2E_TMP/desktop.out"
}

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
