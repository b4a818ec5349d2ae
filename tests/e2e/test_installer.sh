#!/usr/bin/env bash
# The release as a user gets it: the zip's contents, then the installer and uninstaller under
# Wine, unattended. First round: plain install into the system folder beside another screen
# saver, uninstall keeping the settings. Second round: /MAKECURRENT, a run of the installed
# saver, uninstall with /REMOVESETTINGS, after which nothing of ours is left and a neighbour's
# settings are. Last, an upgrade over an earlier version in a folder of its own, the current
# saver, and an uninstall that leaves no empty shared key behind.
. "$(dirname "$0")/lib.sh"
e2e_setup

PKG=${VW_PACKAGE:-$VW_WINBUILD/package}
version=$(sed -n 's/^project(Vellumway VERSION \([0-9.]*\).*/\1/p' "$VW_SRC/CMakeLists.txt")
zip="$PKG/Vellumway-$version-win64.zip"
setup="$PKG/Vellumway-$version-win64-setup.exe"
[ -f "$zip" ] && [ -f "$setup" ] || { fail "no zip and installer for $version in $PKG (build the package target)"; e2e_finish; exit; }

DESKTOP='HKCU\Control Panel\Desktop'
UNINST='HKLM\Software\Microsoft\Windows\CurrentVersion\Uninstall\Vellumway'
WIN_DIR='C:\Program Files\Vellumway'  # the uninstaller's
DIR="$WINEPREFIX/drive_c/Program Files/Vellumway"
SYS="$WINEPREFIX/drive_c/windows/system32" SAVER='C:\windows\System32\Vellumway.scr'
OTHER_SAVER='C:\windows\system32\other.scr'

absent() { ! wine reg query "$@" >/dev/null 2>&1; }  # absent KEY [/v NAME]
# The uninstaller hands over to a copy of itself in %TEMP% and returns at once; it removes
# the folder last, so a gone folder means it has finished.
uninstall() {
  [ -f "$DIR/uninstall.exe" ] || return 1
  wine "$WIN_DIR\\uninstall.exe" "$@" >/dev/null 2>&1
  wait_for 60 test ! -d "$DIR"
}

# --- the zip -------------------------------------------------------------------------------
mkdir "$E2E_TMP/zip"
unzip -q "$zip" -d "$E2E_TMP/zip"
expect_eq "the zip holds the guide, the program and the data" "README.txt Vellumway.scr kjv.dat" \
  "$(unzip -Z1 "$zip" | LC_ALL=C sort | xargs)"
for f in Vellumway.scr kjv.dat; do
  expect_true "the zip's $f is the built one" cmp -s "$E2E_TMP/zip/$f" "$VW_DIST/$f"
done
guide="$E2E_TMP/zip/README.txt"
expect_eq "every line of the guide ends in CR LF" "$(wc -l <"$guide")" "$(grep -c $'\r$' "$guide")"
expect_true "the guide names version $version" grep -q "Version $version" "$guide"
expect_true "the guide has no unfilled placeholder" eval '! grep -q @ "$guide"' 

# --- round 1: install beside another screen saver, uninstall keeping the settings -----------
wine reg add "$DESKTOP" /v SCRNSAVE.EXE /d "$OTHER_SAVER" /f >/dev/null 2>&1
expect_true "the silent install succeeds" wine "$setup" /S
for f in Vellumway.scr kjv.dat; do
  expect_true "installed $f in the system folder is the packaged one" cmp -s "$SYS/$f" "$VW_DIST/$f"
done
expect_eq "only the uninstaller is in its folder" uninstall.exe "$(ls "$DIR")"
for kv in "DisplayName=Vellumway Screen Saver" "DisplayVersion=$version" "Publisher=Vellumway" \
          "UninstallString=\"$WIN_DIR\\uninstall.exe\"" "InstallLocation=$WIN_DIR"; do
  expect_eq "uninstall entry ${kv%%=*}" "${kv#*=}" "$(reg_value "$UNINST" "${kv%%=*}")"
done
expect_eq "without /MAKECURRENT the current screen saver stays" "$OTHER_SAVER" \
  "$(reg_value "$DESKTOP" SCRNSAVE.EXE)"

# Started from elsewhere, as Windows starts it: it must find its folder by itself.
(cd "$E2E_TMP" && wine "$SAVER" /x) >/dev/null 2>&1
expect_eq "the installed program runs and keeps settings" "/x" "$(reg_get Startup PrevInstance)"

expect_true "the silent uninstall finishes" uninstall /S
expect_true "the uninstall entry is gone" absent "$UNINST"
expect_eq "both files left the system folder" "" "$(ls "$SYS" | grep -ix -e vellumway.scr -e kjv.dat)"
expect_eq "settings are kept by default" "/x" "$(reg_get Startup PrevInstance)"
expect_eq "another current screen saver is left alone" "$OTHER_SAVER" \
  "$(reg_value "$DESKTOP" SCRNSAVE.EXE)"

# --- round 2: make it current, run it, remove everything -----------------------------------
expect_true "the silent install with /MAKECURRENT succeeds" wine "$setup" /S /MAKECURRENT
current=$(reg_value "$DESKTOP" SCRNSAVE.EXE)
expect_eq "SCRNSAVE.EXE names the saver in the system folder, as it is" "$SAVER" "$current"
expect_eq "ScreenSaveActive" "1" "$(reg_value "$DESKTOP" ScreenSaveActive)"

# Windows starts the current saver from SCRNSAVE.EXE with /s.
xdotool mousemove 512 384
(cd "$E2E_TMP" && exec wine "$current" /s) >/dev/null 2>&1 &
saver=$!
expect_eq "the saver shows its window" 1 "$(info_value "$(display_info)" found)"
xdotool click 1
expect_true "the saver ends on a click" wait_gone "$saver" 8
expect_eq "the saver started from SCRNSAVE.EXE with /s" "/s" "$(reg_get Startup PrevInstance)"

# /REMOVESETTINGS takes our key only: the parent is shared with every program that keeps its
# settings the same way, and goes only when nothing else is left in it.
PARENT='HKCU\Software\VB and VBA Program Settings'
NEIGHBOUR="$PARENT\\Neighbour\\Prefs"
wine reg add "$NEIGHBOUR" /v Colour /d blue /f >/dev/null 2>&1
expect_true "the silent uninstall with /REMOVESETTINGS finishes" uninstall /S /REMOVESETTINGS
expect_true "the settings key is gone" absent "$KEY"
expect_eq "a neighbour's settings under the shared key stay" blue "$(reg_value "$NEIGHBOUR" Colour)"
expect_true "SCRNSAVE.EXE is cleared" absent "$DESKTOP" /v SCRNSAVE.EXE

# --- upgrade: an earlier version in a folder of its own, the current screen saver ------------
OLD='C:\Program Files\Vellumway 0.9' old="$WINEPREFIX/drive_c/Program Files/Vellumway 0.9"
mkdir -p "$old" && cp "$VW_DIST/Vellumway.scr" "$VW_DIST/kjv.dat" "$old/" && touch "$old/uninstall.exe"
wine reg add "$UNINST" /v InstallLocation /d "$OLD" /f >/dev/null 2>&1
wine reg add "$UNINST" /v UninstallString /d "\"$OLD\\uninstall.exe\"" /f >/dev/null 2>&1
wine reg add "$DESKTOP" /v SCRNSAVE.EXE /d "$(winepath -s "$OLD\\Vellumway.scr" 2>/dev/null | tr -d '\r')" /f >/dev/null 2>&1
expect_true "the silent install over the earlier version succeeds" wine "$setup" /S
expect_true "the earlier version's folder is gone" test ! -e "$old"
expect_eq "the uninstall entry is the new one" "\"$WIN_DIR\\uninstall.exe\"" "$(reg_value "$UNINST" UninstallString)"
expect_eq "the current screen saver is the new one" "$SAVER" "$(reg_value "$DESKTOP" SCRNSAVE.EXE)"
wine reg delete "$PARENT\\Neighbour" /f >/dev/null 2>&1 && reg_set Settings ChangeSec 9
expect_true "the silent uninstall with /REMOVESETTINGS, alone under the shared key, finishes" \
  uninstall /S /REMOVESETTINGS
expect_true "the shared key, left empty, is gone" absent "$PARENT"

e2e_finish
