; Windows installer for Vellumway: both files into the system folder, where Screen Saver
; Settings lists its savers (a saver elsewhere drops out of the list once another is chosen),
; an optional switch to the new screen saver, an entry in Apps & features, and an uninstaller
; (in Program Files) that cleans up after itself. Installing over an earlier version that
; lived in Program Files removes that version's files and its uninstall entry.
;
; Built by the `package` target:
;   makensis -DVERSION=1.0.0 -DSTAGE=<folder with Vellumway.scr and kjv.dat> -DICON=<.ico>
;            -DOUTFILE=<setup.exe>
;
; Unattended use:
;   setup.exe /S [/MAKECURRENT]    uninstall.exe /S [/REMOVESETTINGS]

Unicode true
; A 64-bit installer for a 64-bit program: no registry or folder redirection to undo, and it
; runs where the program runs (including a 64-bit-only Wine).
Target amd64-unicode

!macro RequireDefine NAME
  !ifndef ${NAME}
    !error "Missing -D${NAME}=... (needs VERSION, STAGE, ICON and OUTFILE)"
  !endif
!macroend
!insertmacro RequireDefine VERSION
!insertmacro RequireDefine STAGE
!insertmacro RequireDefine ICON
!insertmacro RequireDefine OUTFILE

!include MUI2.nsh
!include LogicLib.nsh
!include Sections.nsh
!include FileFunc.nsh
!include x64.nsh

!define PRODUCT "Vellumway Screen Saver"
!define PUBLISHER "Vellumway"
!define UNINST_KEY "Software\Microsoft\Windows\CurrentVersion\Uninstall\Vellumway"
; The per-user store the program keeps its options in (HKCU).
!define SETTINGS_PARENT "Software\VB and VBA Program Settings"
!define SETTINGS_KEY "${SETTINGS_PARENT}\Vellumway Screen Saver"
!define DESKTOP_KEY "Control Panel\Desktop"
; The 64-bit system folder. A 32-bit installer sees SysWOW64 there unless it turns file-system
; redirection off (FileSystemRedirection); this one is 64-bit, where nothing is redirected.
!define SAVER_DIR "$WINDIR\System32"

!macro NativeSystemFolder
  !if "${NSIS_PTR_SIZE}" == "4"
    ${DisableX64FSRedirection}
  !endif
!macroend

; Tells the running session, so a change applies without signing out:
; SystemParametersInfo(SPI_SETSCREENSAVEACTIVE = 17, on, 0, SPIF_SENDCHANGE = 2).
!macro SetSaverActive ON
  System::Call 'user32::SystemParametersInfoW(i 17, i ${ON}, p 0, i 2)'
!macroend

Name "${PRODUCT}"
OutFile "${OUTFILE}"
InstallDir "$PROGRAMFILES64\Vellumway"
RequestExecutionLevel admin
SetCompressor /SOLID lzma
ShowInstDetails show
ShowUninstDetails show

VIProductVersion "${VERSION}.0"
VIFileVersion "${VERSION}.0"

!define MUI_ICON "${ICON}"
!define MUI_UNICON "${ICON}"
!define MUI_COMPONENTSPAGE_NODESC
!insertmacro MUI_PAGE_COMPONENTS
!insertmacro MUI_PAGE_INSTFILES
!insertmacro MUI_PAGE_FINISH
!insertmacro MUI_UNPAGE_CONFIRM
!insertmacro MUI_UNPAGE_INSTFILES
!insertmacro MUI_LANGUAGE "English"

VIAddVersionKey /LANG=${LANG_ENGLISH} "ProductName" "${PRODUCT}"
VIAddVersionKey /LANG=${LANG_ENGLISH} "CompanyName" "${PUBLISHER}"
VIAddVersionKey /LANG=${LANG_ENGLISH} "FileDescription" "${PRODUCT} Setup"
VIAddVersionKey /LANG=${LANG_ENGLISH} "FileVersion" "${VERSION}"
VIAddVersionKey /LANG=${LANG_ENGLISH} "ProductVersion" "${VERSION}"
VIAddVersionKey /LANG=${LANG_ENGLISH} "LegalCopyright" "Bible text: King James Version"

Section "!Vellumway Screen Saver" SecProgram
  SectionIn RO
  !insertmacro NativeSystemFolder
  Call RemoveEarlierInstall
  SetOutPath "${SAVER_DIR}"
  File "${STAGE}/Vellumway.scr"
  File "${STAGE}/kjv.dat"
  SetOutPath "$INSTDIR"
  WriteUninstaller "$INSTDIR\uninstall.exe"

  WriteRegStr HKLM "${UNINST_KEY}" "DisplayName" "${PRODUCT}"
  WriteRegStr HKLM "${UNINST_KEY}" "DisplayVersion" "${VERSION}"
  WriteRegStr HKLM "${UNINST_KEY}" "Publisher" "${PUBLISHER}"
  WriteRegStr HKLM "${UNINST_KEY}" "DisplayIcon" "${SAVER_DIR}\Vellumway.scr"
  WriteRegStr HKLM "${UNINST_KEY}" "InstallLocation" "$INSTDIR"
  WriteRegStr HKLM "${UNINST_KEY}" "UninstallString" '"$INSTDIR\uninstall.exe"'
  WriteRegStr HKLM "${UNINST_KEY}" "QuietUninstallString" '"$INSTDIR\uninstall.exe" /S'
  WriteRegDWORD HKLM "${UNINST_KEY}" "NoModify" 1
  WriteRegDWORD HKLM "${UNINST_KEY}" "NoRepair" 1
  ${GetSize} "${SAVER_DIR}" "/M=Vellumway.scr /S=0K" $0 $1 $2
  ${GetSize} "${SAVER_DIR}" "/M=kjv.dat /S=0K" $1 $2 $3
  IntOp $0 $0 + $1
  WriteRegDWORD HKLM "${UNINST_KEY}" "EstimatedSize" $0
SectionEnd

Section "Make Vellumway the current screen saver" SecMakeCurrent
  ; The system folder's path has no spaces: it needs no short form.
  StrCpy $0 "${SAVER_DIR}\Vellumway.scr"
  WriteRegStr HKCU "${DESKTOP_KEY}" "SCRNSAVE.EXE" $0
  WriteRegStr HKCU "${DESKTOP_KEY}" "ScreenSaveActive" "1"
  !insertmacro SetSaverActive 1
  DetailPrint "Current screen saver: $0"
SectionEnd

; An earlier version lived in its own folder (Program Files, or one chosen): its files and
; its uninstall entry go, and a current screen saver naming it names the new one.
Function RemoveEarlierInstall
  ReadRegStr $0 HKLM "${UNINST_KEY}" "InstallLocation"
  ${If} $0 == ""
  ${OrIfNot} ${FileExists} "$0\Vellumway.scr"
    Return
  ${EndIf}
  GetFullPathName /SHORT $1 "$0\Vellumway.scr"
  ReadRegStr $2 HKCU "${DESKTOP_KEY}" "SCRNSAVE.EXE"
  GetFullPathName /SHORT $2 $2
  ${If} $1 != ""
  ${AndIf} $1 == $2
    WriteRegStr HKCU "${DESKTOP_KEY}" "SCRNSAVE.EXE" "${SAVER_DIR}\Vellumway.scr"
  ${EndIf}
  Delete "$0\Vellumway.scr"
  Delete "$0\kjv.dat"
  Delete "$0\uninstall.exe"
  RMDir "$0"
  DeleteRegKey HKLM "${UNINST_KEY}"
  DetailPrint "Removed the earlier version from $0"
FunctionEnd

Function .onInit
  ; Ticked in the dialog; unattended, only on request.
  ${If} ${Silent}
    ${GetParameters} $0
    ClearErrors
    ${GetOptions} $0 "/MAKECURRENT" $1
    ${If} ${Errors}
      !insertmacro UnselectSection ${SecMakeCurrent}
    ${EndIf}
  ${EndIf}
FunctionEnd

Section "Uninstall"
  ; Settings belong to the user: kept unless asked for (unattended: /REMOVESETTINGS).
  StrCpy $R9 0
  ${GetParameters} $0
  ClearErrors
  ${GetOptions} $0 "/REMOVESETTINGS" $1
  ${IfNot} ${Errors}
    StrCpy $R9 1
  ${ElseIfNot} ${Silent}
    MessageBox MB_YESNO|MB_ICONQUESTION|MB_DEFBUTTON2 \
      "Also remove your Vellumway settings (font, colours, topics and the verse reached)?" \
      IDNO +2
    StrCpy $R9 1
  ${EndIf}
  ${If} $R9 == 1
    DeleteRegKey HKCU "${SETTINGS_KEY}"
    DeleteRegKey /ifempty HKCU "${SETTINGS_PARENT}"
    DetailPrint "Removed the settings"
  ${EndIf}

  !insertmacro NativeSystemFolder
  ; Leave no current screen saver pointing at a deleted file. Both names are compared in
  ; their short form, so a long or differently cased entry is recognised too; the file
  ; must still exist for that.
  ReadRegStr $0 HKCU "${DESKTOP_KEY}" "SCRNSAVE.EXE"
  ${If} $0 != ""
    GetFullPathName /SHORT $1 "${SAVER_DIR}\Vellumway.scr"
    GetFullPathName /SHORT $2 $0
    ${If} $1 != ""
    ${AndIf} $1 == $2
      DeleteRegValue HKCU "${DESKTOP_KEY}" "SCRNSAVE.EXE"
      !insertmacro SetSaverActive 0
      DetailPrint "Vellumway is no longer the current screen saver"
    ${EndIf}
  ${EndIf}

  Delete /REBOOTOK "${SAVER_DIR}\Vellumway.scr"
  Delete /REBOOTOK "${SAVER_DIR}\kjv.dat"
  Delete "$INSTDIR\uninstall.exe"
  DeleteRegKey HKLM "${UNINST_KEY}"
  ; Last, so that a gone folder means a finished uninstall.
  RMDir /REBOOTOK "$INSTDIR"
SectionEnd
