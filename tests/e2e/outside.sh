# Helpers for tests that judge a run of the program only from outside its process: how it
# ended (by itself, or with a window that a click or a close ended), its exit code, the
# windows left on the desktop, the registry before and after, and what the screen showed.
# Sourced after lib.sh.

CASES=0
SCR_WIN=""

# outside_setup [WIDTHxHEIGHT]: lib.sh's setup, plus no crash dialog (a crash must end the
# process with its exception code, not wait for a click on Wine's dialog).
outside_setup() {
  e2e_setup "${1:-1024x768}"
  wine reg add 'HKCU\Software\Wine\WineDbg' /v ShowCrashDialog /t REG_DWORD /d 0 /f >/dev/null 2>&1
  SCR_WIN="$(winepath -w "$APP/Vellumway.scr" 2>/dev/null)"
  xdotool mousemove "$(( ${1%x*} / 2 ))" "$(( ${1#*x} / 2 ))" 2>/dev/null ||
    xdotool mousemove 512 384
}

# The driver's key=value output in the associative array R.
declare -A R=()
read_kv() {
  R=()
  local k v
  while IFS='=' read -r k v; do [ -n "$k" ] && R[$k]=${v%$'\r'}; done <"$1"
}

# launch_case TEXT [WAIT_MS] [ACTION] [PAUSE_MS]: starts the program with exactly TEXT after
# its name through the driver, which watches it end (see the driver's launch). Result in R.
launch_case() {
  local try
  for try in 1 2; do
    wine "$DRIVER" launch "$SCR_WIN" "$1" "${2:-5000}" "${3:-click}" "${4:-300}" 12000 \
      >"$E2E_TMP/launch.txt" 2>/dev/null
    # A start of Wine now and then comes to nothing (no output, nothing launched): once more.
    [ -s "$E2E_TMP/launch.txt" ] && break
  done
  read_kv "$E2E_TMP/launch.txt"
}

# Windows of the program (display or settings dialog) in any process; 0 after a clean end.
program_windows() { driver program-windows | sed -n 's/^windows=//p'; }

# run_display PAUSE_S [ARGS...]: a full-screen start from the shell; waits for the display
# window, lets it run PAUSE_S seconds, takes the screenshot SHOT, then ends it with a real
# click. Sets WINDOW (1 when it appeared), ENDED (1 when it ended within 5 s of the click or,
# without a window, within 8 s of the start), EXIT (its exit code).
run_display() {
  local pause=$1; shift
  WINDOW=0 ENDED=0 EXIT=-1 SHOT=""
  start_scr "${@:-/s}"
  local info; info=$(driver window-info VellumwayDisplay 6000)
  if [ "$(info_value "$info" found)" = 1 ]; then
    WINDOW=1
    sleep "$pause"
    settled_screenshot
    xdotool click 1
    wait_exit "$SCR_PID" 5
  else
    wait_exit "$SCR_PID" 8
  fi
}

# settled_screenshot: SHOT, a screenshot equal to one taken 0.3 s before it, so that it shows
# a finished frame and not one in the middle of a growth step (a slow machine may still be
# growing the verse, or growing it again after a change of focus).
settled_screenshot() {
  local i previous="$E2E_TMP/previous.png"
  SHOT=$(screenshot "$(basename "$0" .sh)-case")
  for i in 1 2 3 4 5 6; do
    cp "$SHOT" "$previous"
    sleep 0.3
    SHOT=$(screenshot "$(basename "$0" .sh)-case")
    [ "$(compare -metric AE "$previous" "$SHOT" null: 2>&1 | cut -d' ' -f1)" = 0 ] && return
  done
}

# wait_exit PID SECONDS: ENDED=1 and EXIT set when the process ended in time; otherwise it is
# killed (it is ours) and ENDED=0.
wait_exit() {
  local i
  for i in $(seq $(( $2 * 10 ))); do
    if ! kill -0 "$1" 2>/dev/null; then
      wait "$1"; EXIT=$?; ENDED=1; return 0
    fi
    sleep 0.1
  done
  kill "$1" 2>/dev/null; wait "$1" 2>/dev/null
  ENDED=0; EXIT=-1
  return 1
}

# --- the registry as text ---------------------------------------------------------------
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
      name = tolower(substr($0, 2, i - 1))
      if (name == k) { print substr($0, i + 3); found = 1 }
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

# --- what the screen showed ---------------------------------------------------------------
# text_mask SHOT OUT: the shape of the text on a black screen, independent of its random
# brightness (levels stretched to full range, then cut at 40 %).
text_mask() {
  convert "$1" -colorspace gray -auto-level -threshold 40% "$2" 2>/dev/null
}
# mask_diff A B: how many pixels of two masks differ.
mask_diff() {
  compare -metric AE "$1" "$2" null: 2>&1 | cut -d' ' -f1
}
# pixels SHOT WxH+X+Y: "r g b" (0-255) of every pixel of the region that is not black.
pixels() {
  # A screenshot with nothing but greys (white text) is stored as a grey image: gray(v).
  convert "$1" -crop "$2" +repage -transparent black sparse-color:- 2>/dev/null | tr ' ' '\n' |
    sed -n -e 's/.*rgba*(\([0-9]*\),\([0-9]*\),\([0-9]*\).*/\1 \2 \3/p' \
           -e 's/.*graya*(\([0-9]*\)[,)].*/\1 \1 \1/p'
}
# count_where SHOT WxH+X+Y CONDITION: how many pixels of the region satisfy the awk condition
# over r, g, b (0-1). Black pixels never count. (Much faster than -fx on a large region.)
count_where() {
  pixels "$1" "$2" |
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
