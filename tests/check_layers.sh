#!/usr/bin/env bash
# Keeps the house running one way: each floor includes only the floors below it
# (core < verses, display < app < win32; verses and display stand side by side and do not
# include each other), and only the Windows layer and the Win32 test and bench programs
# include <windows.h>. Prints every offending line and fails when there is one. Takes the
# source folder, by default the one above this script.
set -uo pipefail
cd "${1:-$(dirname "$0")/..}"

# The floors a floor may include, itself among them.
declare -A allowed=(
  [core]="core"
  [verses]="core verses"
  [display]="core display"
  [app]="core verses display app"
  [win32]="core verses display app win32"
)

bad=0
for floor in core verses display app win32; do
  [[ -d $floor ]] || continue
  while IFS=: read -r file line text; do
    target=$(sed -E 's/^[[:space:]]*#[[:space:]]*include[[:space:]]*"([^"]*)".*/\1/' <<<"$text")
    top=${target%%/*}
    [[ $target == */* ]] || continue  # a file beside it, on its own floor
    # Folders that are no floor (res/, tests/) are not checked; the folders the floors
    # replaced (platform/, settings_dialog/) count as wrong everywhere.
    [[ -n ${allowed[$top]+x} || $top == platform || $top == settings_dialog ]] || continue
    if [[ " ${allowed[$floor]} " != *" $top "* ]]; then
      echo "$file:$line: $floor/ may not include $target"
      bad=1
    fi
  done < <(grep -rnE '^[[:space:]]*#[[:space:]]*include[[:space:]]*"' "$floor" \
             --include='*.h' --include='*.cpp' || true)
done

while IFS= read -r hit; do
  case $hit in
    win32/* | tests/e2e/driver/* | tests/win32/* | bench/win32/*) ;;
    *)
      echo "$hit: <windows.h> outside the Windows layer"
      bad=1
      ;;
  esac
done < <(grep -rniE '^[[:space:]]*#[[:space:]]*include[[:space:]]*<windows\.h>' \
           --include='*.h' --include='*.cpp' \
           --exclude-dir=build --exclude-dir=.git . | sed 's|^\./||' || true)

if ((bad)); then
  echo "Layering check failed."
  exit 1
fi
echo "Layering check passed: every include runs down a floor."
