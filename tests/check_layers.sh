#!/usr/bin/env bash
# Keeps the house running one way: each floor includes only the floors below it
# (core < verses, display < app < win32 and x11; verses and display stand side by side, and so
# do win32 and x11), only the Windows layer and the Win32 test and bench programs include
# Windows headers, and only the Linux front end (x11/, its checks in tests/x11/) X headers. Every include
# form counts: "floor/file.h", <floor/file.h>, "../floor/file.h", "windows.h", <winreg.h>.
# Prints every offending line and fails when there is one. Takes the source folder (default:
# the one above this script).
set -uo pipefail
cd "${1:-$(dirname "$0")/..}"

# The floors a floor may include, itself among them.
declare -A allowed=([core]="core" [verses]="core verses" [display]="core display"
  [app]="core verses display app" [win32]="core verses display app win32"
  [x11]="core verses display app x11")
xheaders='^(X11/.*|Xft/.*|fontconfig/.*|ft2build\.h|freetype/.*)$'
windows='^(win[a-z0-9]*|commctrl|commdlg|shellapi|shlobj|shlwapi|shellscalingapi|psapi|objbase|ole2|olectl|tchar|mmsystem|dwmapi|uxtheme|tlhelp32|wtsapi32|dbghelp|richedit)\.h$'

bad=0
# Every include of every source file: file, line, the opening mark and the name.
while IFS=$'\t' read -r file line mark name; do
  floor=${file%%/*}
  if [[ ${name,,} =~ $windows ]]; then
    case $file in
      win32/* | tests/e2e/driver/* | tests/win32/* | bench/win32/*) ;;
      *) echo "$file:$line: <$name> outside the Windows layer"; bad=1 ;;
    esac
    continue
  fi
  if [[ $name =~ $xheaders ]]; then
    case $file in
      x11/* | tests/x11/*) ;;
      *) echo "$file:$line: <$name> outside the Linux front end"; bad=1 ;;
    esac
    continue
  fi
  [[ -n ${allowed[$floor]+x} ]] || continue  # res/, tests/, bench/, tools/ are no floor
  # A quoted name is looked for beside the file first, as the compiler does.
  target=$name
  if [[ $mark == '"' && -e $(dirname "$file")/$name ]]; then
    target=$(realpath -m --relative-to=. "$(dirname "$file")/$name")
  fi
  if [[ -n ${allowed[${target%%/*}]+x} ]]; then
    [[ " ${allowed[$floor]} " == *" ${target%%/*} "* ]] && continue
    echo "$file:$line: $floor/ may not include $target"; bad=1
  elif [[ $mark == '<' && $name == *.h && $floor != x11 ]]; then
    # The portable floors use the C++ standard library only; the Linux front end POSIX too.
    echo "$file:$line: $floor/ includes the system header <$name>"; bad=1
  fi
done < <(grep -rnE --include='*.h' --include='*.cpp' --exclude-dir=build --exclude-dir=.git \
           '^\s*#\s*include\s*[<"]' . |
         sed -E 's|^\./||; s|^([^:]+):([0-9]+):\s*#\s*include\s*([<"])([^>"]*)[>"].*|\1\t\2\t\3\t\4|')

((bad)) && { echo "Layering check failed."; exit 1; }
echo "Layering check passed: every include runs down a floor."
