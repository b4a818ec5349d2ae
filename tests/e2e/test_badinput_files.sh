#!/usr/bin/env bash
# A damaged, odd or locked kjv.dat, each judged from outside the process: a file the program
# cannot open, or in which not even the first record can be read, ends it quietly, with no
# window and the stored position unchanged; otherwise it keeps running (records it cannot
# read are skipped the way the rotation skips them) until a click ends it. Either way: exit code 0, no window left, no setting lost, and kjv.dat
# exactly as it was: the display never writes it.
. "$(dirname "$0")/lib.sh"
. "$(dirname "$0")/outside.sh"
outside_setup 1024x768
run_scr_wait 20 /x  # the defaults are in the store before the first case

REAL="$VW_DIST/kjv.dat"
DAT="$APP/kjv.dat"
DAT_WIN="$(winepath -w "$DAT" 2>/dev/null)"
R_LEN=534

# Deterministic pseudo-random bytes (AES in counter mode over zeros).
noise() {
  head -c "$1" /dev/zero |
    openssl enc -aes-128-ctr -nosalt -K 5665656c6c756d776179000000000000 -iv 0 2>/dev/null
}
records() { head -c $(( $1 * R_LEN )) "$REAL"; }  # the first N real records
# set_field FILE RECORD OFFSET VALUE: a 16-bit little-endian field of one record.
set_field() {
  local v=$(( ($4 + 65536) % 65536 ))
  printf "$(printf '\\x%02x\\x%02x' $((v & 255)) $((v >> 8)))" |
    dd of="$1" bs=1 seek=$(( ($2 - 1) * R_LEN + $3 )) conv=notrunc status=none
}

fresh_dat() { rm -rf "$DAT"; chmod 644 "$APP" 2>/dev/null; }
make_missing() { fresh_dat; }
make_empty() { fresh_dat; : >"$DAT"; }
make_one_byte() { fresh_dat; printf 'x' >"$DAT"; }
make_half_record() { fresh_dat; records 1 | head -c 267 >"$DAT"; }
make_half_record_and_one() { fresh_dat; records 1 | head -c 268 >"$DAT"; }
make_partial_last() { fresh_dat; records 4 | head -c $(( 3 * R_LEN + 300 )) >"$DAT"; }
make_random() { fresh_dat; noise $(( 50 * R_LEN )) >"$DAT"; }
make_random_odd() { fresh_dat; noise $(( 50 * R_LEN + 123 )) >"$DAT"; }
make_odd_numbers() {
  fresh_dat; records 12 >"$DAT"
  set_field "$DAT" 5 0 0      # book 0
  set_field "$DAT" 6 0 99     # book 99
  set_field "$DAT" 7 0 -1     # book -1
  set_field "$DAT" 8 2 -5     # chapter -5
  set_field "$DAT" 9 4 32767  # verse 32767
}
make_text_bytes() {  # every byte value in the text, control characters included
  fresh_dat; records 12 >"$DAT"
  for r in 1 2 3; do
    { for i in $(seq 0 255); do printf "\\x$(printf %02x "$i")"; done
      for i in $(seq 0 255); do printf "\\x$(printf %02x $(( 255 - i )))"; done
      head -c 16 /dev/zero; } |
      dd of="$DAT" bs=1 seek=$(( (r - 1) * R_LEN + 6 )) conv=notrunc status=none
  done
}
make_zeros_sparse() { fresh_dat; truncate -s 3G "$DAT"; }
make_read_only() { fresh_dat; cp "$REAL" "$DAT"; chmod 444 "$DAT"; }
make_real() { fresh_dat; cp "$REAL" "$DAT"; }
make_folder() { fresh_dat; mkdir "$DAT"; }
make_dangling_link() { fresh_dat; ln -s "$APP/nowhere.dat" "$DAT"; }

# The file's identity: size, modification time and (below 100 MB) content.
fingerprint() {
  [ -e "$DAT" ] || { echo missing; return; }
  [ -d "$DAT" ] && { echo folder; return; }
  local size; size=$(stat -c %s "$DAT")
  if [ "$size" -lt 100000000 ]; then
    echo "$size $(stat -c %Y "$DAT") $(md5sum <"$DAT" | cut -c1-32)"
  else
    echo "$size $(stat -c %Y "$DAT")"
  fi
}

HOLDER=""
hold() {  # hold MODE: another process keeps kjv.dat open in that mode
  wine "$DRIVER" hold-file "$DAT_WIN" "$1" >"$E2E_TMP/hold.txt" 2>/dev/null &
  HOLDER=$!
  local i
  for i in $(seq 50); do grep -q '^held=' "$E2E_TMP/hold.txt" && break; sleep 0.1; done
  expect_eq "holder ($1) has the file" "held=1" "$(grep '^held=' "$E2E_TMP/hold.txt" | tr -d '\r')"
}
release() { [ -n "$HOLDER" ] && kill "$HOLDER" 2>/dev/null && wait "$HOLDER" 2>/dev/null; HOLDER=""; }

# file_case NAME MAKER HOLD EXPECT START CHANGESEC PAUSE
#   EXPECT  quiet        ends by itself: no window, position unchanged
#           S/V          runs until the click and saves LastSection S, LastVerse V
#           1/>V         runs, and the rotation went past record V
#           lock         quiet or 1/START, as a read of the locked file by another process fares
#   START   the stored LastVerse (LastSection is 1, all verses)
file_case() {
  local name=$1 maker=$2 holdmode=$3 expect=$4 start=$5 changesec=$6 pause=$7
  CASES=$((CASES + 1))
  "$maker"
  reg_set Settings LastSection 1 && reg_set Settings LastVerse "$start"
  reg_set Settings ChangeSec "$changesec"
  [ "$holdmode" != - ] && hold "$holdmode"
  if [ "$expect" = lock ]; then
    # Windows refuses reads of a locked range to every other process; Wine does not enforce
    # byte-range locks on reads. Whichever this system does, the program must follow it: the
    # verse when a read succeeds, a quiet end when none does.
    local probe; probe=$(driver read-file "$DAT_WIN" | sed -n 's/^read_ok=//p')
    if [ "$probe" = 1 ]; then expect="1/$start"; else expect=quiet; fi
    log "$name: another process can read the locked file: ${probe:-?}; expecting $expect"
  fi
  local before; before=$(fingerprint)
  settings_text "$E2E_TMP/before"
  run_display "$pause"
  settings_text "$E2E_TMP/after"
  if [ "$expect" = quiet ]; then
    expect_eq "$name: ends by itself with no window" "0 1 0" "$WINDOW $ENDED $EXIT"
    expect_eq "$name: position unchanged" "1/$start" \
      "$(raw_value LastSection "$E2E_TMP/after" | tr -d '"')/$(raw_value LastVerse "$E2E_TMP/after" | tr -d '"')"
  else
    expect_eq "$name: runs with its window and ends on a click" "1 1 0" "$WINDOW $ENDED $EXIT"
    local saved
    saved="$(raw_value LastSection "$E2E_TMP/after" | tr -d '"')/$(raw_value LastVerse "$E2E_TMP/after" | tr -d '"')"
    case $expect in
      1/\>*)
        local v=${saved#1/}
        expect_true "$name: the rotation went past record ${expect#1/>} (saved $saved)" \
          test "${saved%%/*}" = 1 -a "${v:-0}" -gt "${expect#1/>}" ;;
      *) expect_eq "$name: saved position" "$expect" "$saved" ;;
    esac
  fi
  expect_eq "$name: no window left" 0 "$(program_windows)"
  expect_eq "$name: the options are kept" \
    "$(other_values "$E2E_TMP/before" LastSection LastVerse PrevInstance)" \
    "$(other_values "$E2E_TMP/after" LastSection LastVerse PrevInstance)"
  expect_eq "$name: kjv.dat is not written" "$before" "$(fingerprint)"
  if [ "$holdmode" != - ]; then
    expect_true "$name: the holder still holds it" kill -0 "$HOLDER"
    release
  fi
}

#         name                         maker                   hold       expect  start chsec pause
file_case "missing"                    make_missing            -          quiet   500   15    0
file_case "a dangling link"            make_dangling_link      -          quiet   500   15    0
file_case "a folder"                   make_folder             -          quiet   500   15    0
file_case "empty"                      make_empty              -          quiet   500   15    1
file_case "one byte"                   make_one_byte           -          quiet   500   15    1
file_case "half a record"              make_half_record        -          quiet   1     15    1
file_case "half a record and a byte"   make_half_record_and_one -         quiet   1     15    1
file_case "a partial last record"      make_partial_last       -          1/1     4     15    1
file_case "the record before it"      make_partial_last       -          1/3     3     15    1
file_case "random bytes"               make_random             -          1/7     7     15    1
file_case "random bytes, one a second" make_random             -          1/\>7   7     1     4
file_case "random bytes, odd length"   make_random_odd         -          1/50    50    15    1
file_case "book 0"                     make_odd_numbers        -          1/5     5     15    1
file_case "book 99"                    make_odd_numbers        -          1/6     6     15    1
file_case "book -1, chapter -5, verse 32767" make_odd_numbers  -          1/\>8   7     1     4
file_case "every byte value as text"   make_text_bytes         -          1/\>1   1     1     3
file_case "3 GiB of zeros, far in"     make_zeros_sparse       -          1/5000000 5000000 15 1
file_case "read-only"                  make_read_only          -          1/500   500   15    1
file_case "locked against writing"     make_real               deny-write 1/500   500   15    1
file_case "locked against writing, one a second" make_real     deny-write 1/\>500 500   1     3.5
file_case "locked against everything"  make_real               deny-all   quiet   500   15    0
file_case "a byte-range lock over all" make_real               range-lock lock    500   15    1
fresh_dat

echo "cases: $CASES"
e2e_finish
