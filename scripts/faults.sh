#!/usr/bin/env bash
# Plants the faults listed in scripts/faults.txt into a copy of the sources, one at a time,
# and counts how many the unit tests catch: a measure of the tests' worth, not a test.
# Needs a built native preset (for kjv.dat). Usage: bash scripts/faults.sh [ID-REGEX]
# Also writes build/fault-kills.tsv: each caught fault and the tests that failed on it, which
# shows the tests that catch nothing the others do not.
#
# faults.txt: one fault a line, four fields separated by tabs: id, file, the exact text to
# replace (it must occur exactly once), the text put in its place. "~~" in the two texts
# stands for a line break. Lines starting with # are comments.
set -euo pipefail
cd "$(dirname "$0")/.."
root=$PWD
only=${1:-.}
work=$(mktemp -d /tmp/vw-faults.XXXXXX)
trap 'rm -rf "$work"' EXIT
git ls-files -z | tar --null -cf - -T - | tar -xf - -C "$work" --one-top-level=src
cmake -S "$work/src" -B "$work/build" -G Ninja -DCMAKE_BUILD_TYPE= -DCMAKE_CXX_FLAGS=-O0 \
  -DVELLUMWAY_BENCHMARKS=OFF -DVELLUMWAY_DIST_DIR="$root/build/dist" >/dev/null
build() { cmake --build "$work/build" --target vellumway_unit_tests >"$work/build.log" 2>&1; }
tests() { timeout 120 "$work/build/tests/vellumway_unit_tests" --gtest_brief=1 >"$work/test.log" 2>&1; }
build && tests || { echo "the unplanted tree does not pass its unit tests" >&2; exit 1; }

# plant FILE FROM TO: replaces the one occurrence of FROM; fails when it is not there once.
plant() {
  FROM=$2 TO=$3 perl -0777 -i -pe '
    BEGIN { ($f, $t) = map { s/~~/\n/g; $_ } @ENV{qw(FROM TO)} }
    $n = () = /\Q$f\E/g; die "found $n times\n" if $n != 1; s/\Q$f\E/$t/' "$1"
}

caught=0 total=0 missed=() broken=()
kills="$root/build/fault-kills.tsv"
: >"$kills"
while IFS=$'\t' read -r id file from to; do
  [[ -z "$id" || "$id" == \#* ]] && continue
  [[ "$id" =~ $only ]] || continue
  total=$((total + 1))
  cp "$work/src/$file" "$work/original"
  if ! plant "$work/src/$file" "$from" "$to" 2>"$work/plant.log"; then
    broken+=("$id (not planted: $(cat "$work/plant.log"))")
  elif ! build; then
    broken+=("$id (does not compile)")
  elif tests; then
    missed+=("$id")
  else
    caught=$((caught + 1))
    printf '%s\t%s\n' "$id" "$(sed -n 's/^\[  FAILED  \] \([A-Za-z0-9_]*\.[A-Za-z0-9_]*\).*/\1/p' "$work/test.log" |
      sort -u | xargs)" >>"$kills"
  fi
  cp "$work/original" "$work/src/$file"
  printf '.' >&2
done <scripts/faults.txt
echo >&2
echo "faults caught: $caught of $total"
for m in "${missed[@]}"; do echo "  missed: $m"; done
for b in "${broken[@]}"; do echo "  not a fault: $b"; done
# The tests that no caught fault needs: whatever they catch, another test catches too.
"$work/build/tests/vellumway_unit_tests" --gtest_list_tests |
  awk '/^[^ ]/ { suite = $1 } /^  / { print suite $1 }' >"$work/all-tests"
awk -F'\t' 'NR == FNR { if (split($2, t, " ") == 1) alone[t[1]] = 1; next }
  !($0 in alone) { print "  no fault needs: " $0 }' "$kills" "$work/all-tests"
