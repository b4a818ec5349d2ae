#!/usr/bin/env bash
# Plants the faults listed in scripts/faults.txt into a copy of the sources, one at a time,
# and counts how many the tests catch: a measure of the tests' worth, not a test. Faults in
# win32/, res/ and packaging/ are the Windows layer's: for those the copy's Windows build is
# made again and the end-to-end tests named in the row run under Wine; the others are the
# unit faults. The two counts are printed apart, each with its time.
# Needs a built native preset (for kjv.dat). Usage: bash scripts/faults.sh [ID-REGEX [unit|windows]]
# Also writes build/fault-kills.tsv (fault-kills-unit.tsv or -windows.tsv for one layer, so
# two runs may go side by side): each caught fault, the tests that failed on it and the first
# red line; it shows the tests that catch nothing the others do not.
#
# faults.txt: one fault a line, four or five fields separated by tabs: id, file, the exact
# text to replace (it must occur exactly once), the text put in its place, and optionally the
# CTest tests that must catch it (a regular expression for ctest -R, or label:NAME for the
# tests of a CTest label; without it, the whole
# unit test program). "~~" in the two texts stands for a line break. Lines starting with #
# are comments. A named test is first run on the unplanted copy: one red there measures nothing.
set -euo pipefail
cd "$(dirname "$0")/.."
root=$PWD
only=${1:-.} layer_only=${2:-}
work=$(mktemp -d /tmp/vw-faults.XXXXXX)
trap 'rm -rf "$work"' EXIT
git ls-files -z | tar --null -cf - -T - | tar -xf - -C "$work" --one-top-level=src
# Its own dist folder: the Windows build puts its Vellumway.scr there, beside a copy of kjv.dat.
mkdir -p "$work/dist" && cp "$root/build/dist/kjv.dat" "$work/dist/"
winbuild=()
windows_layer() { [[ $1 =~ ^(win32|res|packaging)/ ]]; }
wanted=$(awk -F'\t' -v only="$only" '!/^#/ && NF >= 4 && $1 ~ only { print $2 }' scripts/faults.txt)
if [ "$layer_only" != unit ] && grep -qE '^(win32|res|packaging)/' <<<"$wanted"; then
  cmake -S "$work/src" -B "$work/win" -G Ninja -DCMAKE_BUILD_TYPE= -DCMAKE_CXX_FLAGS=-O0 \
    -DCMAKE_TOOLCHAIN_FILE="$work/src/cmake/mingw-w64-x86_64.cmake" \
    -DVELLUMWAY_DIST_DIR="$work/dist" >/dev/null
  winbuild=(-DVELLUMWAY_WINDOWS_BUILD_DIR="$work/win")
fi
cmake -S "$work/src" -B "$work/build" -G Ninja -DCMAKE_BUILD_TYPE= -DCMAKE_CXX_FLAGS=-O0 \
  -DVELLUMWAY_BENCHMARKS=OFF -DVELLUMWAY_DIST_DIR="$work/dist" "${winbuild[@]}" >/dev/null
# build [TESTS]: the unit tests; for named tests also the tools they use and, when there is
# one, the Windows build (and its package for the installer's test).
build() {
  local named=${1-}
  { cmake --build "$work/build" --target vellumway_unit_tests ${named:+make_kjv_dat} &&
    if [ -n "$named" ] && [ -d "$work/win" ]; then
      cmake --build "$work/win" && { [[ $named != *installer* ]] || cmake --build "$work/win" --target package; }
    fi; } >"$work/build.log" 2>&1
}
# tests [TESTS]: the unit test program, or the CTest tests named; false when one fails.
tests() {
  if [ -z "${1-}" ]; then
    timeout 120 "$work/build/tests/vellumway_unit_tests" --gtest_brief=1 >"$work/test.log" 2>&1
  else
    local select=(-R "$1"); [[ $1 == label:* ]] && select=(-L "${1#label:}")
    (cd "$work/build" && timeout 1800 ctest "${select[@]}" --timeout 900 --output-on-failure >"$work/test.log" 2>&1 &&
      ! grep -q 'No tests were found' "$work/test.log")
  fi
}
build && tests || { echo "the unplanted tree does not pass its unit tests" >&2; exit 1; }
declare -A green=()  # named tests seen green on the unplanted copy

# plant FILE FROM TO: replaces the one occurrence of FROM; fails when it is not there once.
plant() {
  FROM=$2 TO=$3 perl -0777 -i -pe '
    BEGIN { ($f, $t) = map { s/~~/\n/g; $_ } @ENV{qw(FROM TO)} }
    $n = () = /\Q$f\E/g; die "found $n times\n" if $n != 1; s/\Q$f\E/$t/' "$1"
}

# Per layer (unit, windows): caught, planted, seconds.
declare -A caught=([unit]=0 [windows]=0) total=([unit]=0 [windows]=0) took=([unit]=0 [windows]=0)
missed=() broken=()
kills="$root/build/fault-kills${layer_only:+-$layer_only}.tsv"
: >"$kills"
while IFS=$'\t' read -r id file from to named; do
  [[ -z "$id" || "$id" == \#* ]] && continue
  [[ "$id" =~ $only ]] || continue
  layer=unit; windows_layer "$file" && layer=windows
  [ -z "$layer_only" ] || [ "$layer" = "$layer_only" ] || continue
  total[$layer]=$((total[$layer] + 1)) start=$SECONDS
  if [ -n "$named" ] && [ -z "${green[$named]-}" ]; then
    build "$named" && tests "$named" && green[$named]=1 || green[$named]=0
  fi
  cp "$work/src/$file" "$work/original"
  if [ -n "$named" ] && [ "${green[$named]}" = 0 ]; then
    broken+=("$id ($named is red, or missing, on the unplanted copy)")
  elif ! plant "$work/src/$file" "$from" "$to" 2>"$work/plant.log"; then
    broken+=("$id (not planted: $(cat "$work/plant.log"))")
  elif ! build "$named"; then
    broken+=("$id (does not compile)")
  elif tests "$named"; then
    missed+=("$id${named:+ ($named)}")
  else
    caught[$layer]=$((caught[$layer] + 1))
    # The tests that failed, and the first thing one of them said.
    printf '%s\t%s\t%s\n' "$id" "$(sed -n 's/^\[  FAILED  \] \([A-Za-z0-9_]*\.[A-Za-z0-9_]*\).*/\1/p
      s/^[[:space:]]*[0-9]* - \([^ ]*\) (Failed.*/\1/p' "$work/test.log" | sort -u | xargs)" \
      "$(grep -m1 -E '^FAIL |Which is|  Actual|Value of' "$work/test.log" | tr -s " " | cut -c1-300)" >>"$kills"
  fi
  cp "$work/original" "$work/src/$file"
  took[$layer]=$((took[$layer] + SECONDS - start))
  # A Windows-layer fault takes minutes: say each as it is judged; a unit fault, a dot.
  if [ "$layer" = windows ]; then
    printf '%s: %s (%d s)\n' "$id" "$(grep -qx "$id"$'\t'".*" "$kills" && echo caught || echo "not caught")" \
      $((SECONDS - start)) >&2
  else printf '.' >&2; fi
done <scripts/faults.txt
echo >&2
for layer in unit windows; do
  [ "${total[$layer]}" = 0 ] ||
    echo "$layer faults caught: ${caught[$layer]} of ${total[$layer]} (${took[$layer]} s)"
done
for m in "${missed[@]}"; do echo "  missed: $m"; done
for b in "${broken[@]}"; do echo "  not a fault: $b"; done
# The tests that no caught fault needs: whatever they catch, another test catches too.
[ "$layer_only" = windows ] && exit 0
"$work/build/tests/vellumway_unit_tests" --gtest_list_tests |
  awk '/^[^ ]/ { suite = $1 } /^  / { print suite $1 }' >"$work/all-tests"
awk -F'\t' 'NR == FNR { if (split($2, t, " ") == 1) alone[t[1]] = 1; next }
  !($0 in alone) { print "  no fault needs: " $0 }' "$kills" "$work/all-tests"
