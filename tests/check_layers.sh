#!/usr/bin/env bash
# Keeps the house running one way: each floor includes only the floors below it
# (core < verses, display < app < win32; verses and display stand side by side), and only the
# Windows layer and the Win32 test and bench programs include <windows.h>. Prints every
# offending line and fails when there is one. Takes the source folder (default: the one
# above this script).
set -uo pipefail
cd "${1:-$(dirname "$0")/..}"

# The floors a floor may include, itself among them.
declare -A allowed=([core]="core" [verses]="core verses" [display]="core display"
  [app]="core verses display app" [win32]="core verses display app win32")

bad=0
# A quoted include of another floor's file ("floor/file.h"); folders that are no floor
# (res/, tests/) are not checked.
while IFS=: read -r file line floor target; do
  if [[ -n ${allowed[${target%%/*}]+x} && " ${allowed[$floor]} " != *" ${target%%/*} "* ]]; then
    echo "$file:$line: $floor/ may not include $target"
    bad=1
  fi
done < <(grep -rnE '^\s*#\s*include\s*"[^"/]+/' core verses display app win32 \
           --include='*.h' --include='*.cpp' | sed -E 's|^(([^/]+)/[^:]*:[0-9]+):.*"([^"]*)".*|\1:\2:\3|')

while IFS= read -r hit; do
  case $hit in
    win32/* | tests/e2e/driver/* | tests/win32/* | bench/win32/*) ;;
    *) echo "$hit: <windows.h> outside the Windows layer"; bad=1 ;;
  esac
done < <(grep -rniE '^\s*#\s*include\s*<windows\.h>' --include='*.h' --include='*.cpp' \
           --exclude-dir=build --exclude-dir=.git . | sed 's|^\./||')

((bad)) && { echo "Layering check failed."; exit 1; }
echo "Layering check passed: every include runs down a floor."
