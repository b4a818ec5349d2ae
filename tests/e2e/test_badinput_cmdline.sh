#!/usr/bin/env bash
# Command lines of every shape, each started with exactly that text after the program's name
# and judged from outside: it ends by itself at once, or shows the window its mode word asks
# for (full screen, a preview in the window named, the settings dialog) and that window ends
# on a click or its close box. Always exit code 0, no window left, the options untouched, and
# "PrevInstance" holding the command line trimmed of blanks and in lower case.
. "$(dirname "$0")/lib.sh"
. "$(dirname "$0")/outside.sh"
outside_setup 1024x768
run_scr_wait 20 /x  # the defaults are in the store before the first case

# A window a preview can live in, and a handle that was a window and is one no more.
wine "$DRIVER" host-window 200 150 >"$E2E_TMP/host.txt" 2>/dev/null &
HOST_PID=$!
wine "$DRIVER" host-window 100 100 >"$E2E_TMP/dead.txt" 2>/dev/null &
DEAD_PID=$!
for _ in $(seq 50); do
  grep -q '^host=' "$E2E_TMP/host.txt" && grep -q '^host=' "$E2E_TMP/dead.txt" && break
  sleep 0.1
done
HOST=$(sed -n 's/^host=//p' "$E2E_TMP/host.txt" | tr -d '\r')
DEAD=$(sed -n 's/^host=//p' "$E2E_TMP/dead.txt" | tr -d '\r')
kill "$DEAD_PID"; wait "$DEAD_PID" 2>/dev/null
expect_true "a live host window ($HOST) and a dead one ($DEAD)" test -n "$HOST" -a -n "$DEAD"

repeat() { head -c "$2" /dev/zero | tr '\0' "$1"; }
LONG_X=$(repeat x 30000)
LONG_9=$(repeat 9 30000)
LONG_BLANKS=$(repeat ' ' 20000)

normalised() {  # trimmed of blanks (spaces only) and ASCII letters in lower case
  local s=$1
  s="${s#"${s%%[! ]*}"}"; s="${s%"${s##*[! ]}"}"
  printf '%s' "$s" | tr 'A-Z' 'a-z'
}
short() { [ "${#1}" -gt 40 ] && echo "${1:0:30}...(${#1} chars)" || echo "$1"; }

# cmd_case TEXT EXPECT: EXPECT is end, full (full screen), preview (a child of the host) or
# dialog.
cmd_case() {
  local text=$1 expect=$2 label; label="[$(short "$1")]"
  CASES=$((CASES + 1))
  reg_set Settings LastSection 1 && reg_set Settings LastVerse 100
  settings_text "$E2E_TMP/before"
  local action=click
  [ "$expect" = dialog ] && action=close
  launch_case "$text" 8000 "$action" 300
  settings_text "$E2E_TMP/after"
  case $expect in
    end)
      expect_eq "$label ends by itself" "ended 0" "${R[outcome]:-} ${R[exit_code]:-}" ;;
    full)
      expect_eq "$label: full screen, ends on a click" \
        "window VellumwayDisplay 0 0,0,1024,768 1 0" \
        "${R[outcome]:-} ${R[window_class]:-} ${R[window_child]:-} ${R[window_rect]:-} ${R[ended]:-} ${R[exit_code]:-}" ;;
    preview)
      expect_eq "$label: a preview in the host, ends on a click" \
        "window VellumwayDisplay 1 $HOST 1 0" \
        "${R[outcome]:-} ${R[window_class]:-} ${R[window_child]:-} ${R[window_parent]:-} ${R[ended]:-} ${R[exit_code]:-}" ;;
    dialog)
      expect_eq "$label: the settings dialog, ends with its close box" \
        "window VellumwaySettings 1 0" \
        "${R[outcome]:-} ${R[window_class]:-} ${R[ended]:-} ${R[exit_code]:-}" ;;
  esac
  expect_eq "$label: no window left" "0" "${R[windows_left]:-x}"
  # A display saves its position; nothing else may change, and nothing at all otherwise.
  local keep=(PrevInstance)
  case $expect in full | preview) keep+=(LastSection LastVerse) ;; esac
  expect_eq "$label: the options are kept" \
    "$(other_values "$E2E_TMP/before" "${keep[@]}")" "$(other_values "$E2E_TMP/after" "${keep[@]}")"
  # As the registry export writes it: backslashes and quotes escaped.
  local want; want=$(normalised "$text" | sed 's/\\/\\\\/g; s/"/\\"/g')
  expect_eq "$label: PrevInstance" "$(short "\"$want\"")" \
    "$(short "$(raw_value PrevInstance "$E2E_TMP/after")")"
}

# --- full screen: no command line, or "/s" in any case with anything after it -------------
for text in "" "/s" "/S" "   /s   " "/s extra words" "/sabc" "/S:1" "/s/c" "/s /p $HOST" \
            "/s$LONG_X"; do
  cmd_case "$text" full
done
# --- the settings dialog: "/c" and whatever follows it --------------------------------------
for text in "/c" "/C" "/c:1234" "/c 1234" "   /C   " "/cxyz" "/c:$HOST" "/c /s" "/c$LONG_X"; do
  cmd_case "$text" dialog
done
# --- a preview in a window that exists --------------------------------------------------------
for text in "/p $HOST" "/P $HOST" "/p:$HOST" "/p    $HOST   " "/p x$HOST" "/p ${HOST}.4" \
            "/p 0$HOST" "/p $((HOST)).0e0" "/p${LONG_BLANKS}$HOST"; do
  cmd_case "$text" preview
done
# --- "/p" with no, bad, huge, negative or dead handles: ends at once ------------------------
for text in "/p" "/P" "/p " "/p 0" "/p abc" "/p -" "/p 1.5.5" "/p 99999999999" "/p 4294967296" \
            "/p 2147483648" "/p -2147483649" "/p 1e400" "/p -5" "/p -$HOST" "/p 1234" \
            "/p $DEAD" "/p $LONG_9" "/p ${HOST}abc"; do
  cmd_case "$text" end
done
# --- anything else ends at once --------------------------------------------------------------
for text in "/a" "xyz" "/x" "-s" "s" "/" "//s" "/ s" '\s' "/q" "?" "/?" $'\t/s' "/ś" "/Ś" \
            "\"/s\"" "$LONG_X"; do
  cmd_case "$text" end
done

kill "$HOST_PID" 2>/dev/null; wait "$HOST_PID" 2>/dev/null
echo "cases: $CASES"
e2e_finish
