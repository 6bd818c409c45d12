; The Windows installer of Velnor (64-bit, Japanese and English pages chosen by the
; system's UI language). tools/dist/make_dist.sh runs makensis with -DVERSION, -DSCR (the
; Velnor.scr to ship), -DLICENSE_FILE and -DOUTFILE, -DSIGN_COMMAND to sign the
; installer and its uninstaller and -DHOMEPAGE for the entry's links (none without it). Silent switches: /S, /ALLUSERS, /CURRENTUSER, /CURRENT;
; the uninstaller takes /PURGE and finds its scope from its own folder.
Unicode true
Target amd64-unicode
SetCompressor /SOLID lzma
; File times are not stored, so the same input gives the same installer.
SetDateSave off
ManifestDPIAware true

!ifndef VERSION | SCR | LICENSE_FILE | OUTFILE
  !error "makensis needs -DVERSION, -DSCR, -DLICENSE_FILE and -DOUTFILE"
!endif

!define UNINSTALL_KEY "Software\Microsoft\Windows\CurrentVersion\Uninstall\Velnor"
!define DESKTOP_KEY "Control Panel\Desktop"
!define PUBLISHER "The Velnor developers"
; An idle time for the saver when the user has none set (seconds).
!define DEFAULT_TIMEOUT 600

Name "Velnor ${VERSION}"
OutFile "${OUTFILE}"
BrandingText "Velnor ${VERSION}"
VIProductVersion "${VERSION}.0"
VIAddVersionKey /LANG=1033 ProductName "Velnor"
VIAddVersionKey /LANG=1033 ProductVersion "${VERSION}"
VIAddVersionKey /LANG=1033 FileVersion "${VERSION}"
VIAddVersionKey /LANG=1033 FileDescription "Velnor ${VERSION} Setup"
VIAddVersionKey /LANG=1033 CompanyName "${PUBLISHER}"
VIAddVersionKey /LANG=1033 LegalCopyright "MIT License"

!ifdef SIGN_COMMAND
  !finalize '${SIGN_COMMAND} "%1"' = 0
  !uninstfinalize '${SIGN_COMMAND} "%1"' = 0
!endif

; All users (administrators; Velnor.scr in the system folder) or the current user only
; (%LOCALAPPDATA%\Programs\Velnor); /ALLUSERS and /CURRENTUSER choose silently.
!define MULTIUSER_EXECUTIONLEVEL Highest
!define MULTIUSER_MUI
!define MULTIUSER_INSTALLMODE_COMMANDLINE
!define MULTIUSER_USE_PROGRAMFILES64
!define MULTIUSER_INSTALLMODE_INSTDIR "Velnor"
!define MULTIUSER_INSTALLMODEPAGE_TEXT_TOP "$(ModeExplanation)"
!define MULTIUSER_INSTALLMODEPAGE_TEXT_CURRENTUSER "$(ModeCurrentUser)"
; A re-run offers (and silently keeps) the scope installed already, in the folder recorded.
!define MULTIUSER_INSTALLMODE_DEFAULT_REGISTRY_KEY "${UNINSTALL_KEY}"
!define MULTIUSER_INSTALLMODE_DEFAULT_REGISTRY_VALUENAME "InstallLocation"
!define MULTIUSER_INSTALLMODE_FUNCTION UseRecordedFolder
!define MULTIUSER_PAGE_CUSTOMFUNCTION_SHOW InstallModeShow
!include MultiUser.nsh
!include MUI2.nsh
!include LogicLib.nsh
!include FileFunc.nsh
!include Sections.nsh
!include nsDialogs.nsh

Var ScrPath ; the installed Velnor.scr
Var Purge   ; 1 when the uninstaller was given /PURGE

; Velnor's own icon (that of Velnor.scr) and the finish page's side picture, both made by
; tools/resource_maker (makensis works in the script's folder); no header art.
!define MUI_ICON "../../src/resources/velnor.ico"
!define MUI_UNICON "../../src/resources/velnor.ico"
!define MUI_WELCOMEFINISHPAGE_BITMAP "../../src/resources/installer_side.bmp"
; Scaled to the page's height only, so the ball stays round where a font with wider dialog
; units (the Japanese pages') widens the picture's place; the page's white shows beside it.
!define MUI_WELCOMEFINISHPAGE_BITMAP_STRETCH AspectFitHeight
!define MUI_COMPONENTSPAGE_NODESC
!insertmacro MUI_PAGE_LICENSE "${LICENSE_FILE}"
!insertmacro MULTIUSER_PAGE_INSTALLMODE
!define MUI_PAGE_CUSTOMFUNCTION_SHOW ComponentsShow
!insertmacro MUI_PAGE_COMPONENTS
!insertmacro MUI_PAGE_INSTFILES
; The finish page offers the screen-saver settings, with this Velnor selected.
!define MUI_FINISHPAGE_RUN
!define MUI_FINISHPAGE_RUN_NOTCHECKED
!define MUI_FINISHPAGE_RUN_TEXT "$(OpenSaverSettings)"
!define MUI_FINISHPAGE_RUN_FUNCTION OpenSaverSettings
!insertmacro MUI_PAGE_FINISH
!insertmacro MUI_UNPAGE_CONFIRM
!insertmacro MUI_UNPAGE_INSTFILES

!insertmacro MUI_LANGUAGE "English"
!insertmacro MUI_LANGUAGE "Japanese"
!include "installer_texts.nsh"
!include "installer_scope.nsh"

; Sets $0 to 1 when the command line holds `switch` as a word of its own (so /CURRENT is
; not found inside /CURRENTUSER), else to 0. Letter case does not matter.
!macro HasSwitch prefix switch
  ${${prefix}GetParameters} $0
  StrCpy $0 " $0 "
  Push $0
  Push " ${switch} "
  Call ${prefix}FindWord
  Pop $0
!macroend

!macro FIND_WORD_FUNCTION prefix
  Function ${prefix}FindWord
    Exch $R0 ; the word with a space each side
    Exch
    Exch $R1 ; the padded parameters
    Push $R2
    Push $R3
    Push $R4
    StrLen $R2 $R0
    StrCpy $R3 0
    ${Do}
      StrCpy $R4 $R1 $R2 $R3
      ${If} $R4 == ""
        StrCpy $R0 0
        ${Break}
      ${ElseIf} $R4 == $R0
        StrCpy $R0 1
        ${Break}
      ${EndIf}
      IntOp $R3 $R3 + 1
    ${Loop}
    Pop $R4
    Pop $R3
    Pop $R2
    Pop $R1
    Exch $R0
  FunctionEnd
!macroend
!insertmacro FIND_WORD_FUNCTION ""
!insertmacro FIND_WORD_FUNCTION "un."

Section "-Velnor" SecProgram
  Call ReplaceOtherScope
  ${If} $MultiUser.InstallMode == "AllUsers"
    SetOutPath $SYSDIR
  ${Else}
    SetOutPath $INSTDIR
  ${EndIf}
  File "/oname=Velnor.scr" "${SCR}"
  StrCpy $ScrPath "$OUTDIR\Velnor.scr"
  SetOutPath $INSTDIR
  WriteUninstaller "$INSTDIR\uninstall.exe"
  Call WriteUninstallEntry
  ; A replaced copy that was the current screen saver hands that on to this one.
  ${If} $MultiUser.InstallMode == "CurrentUser"
  ${OrIf} $WasCurrent == 1
    Call MakeCurrentSaver
  ${EndIf}
SectionEnd

Section "$(SectionCurrent)" SecCurrent
  ${If} $MultiUser.InstallMode == "AllUsers"
    Call MakeCurrentSaver
  ${EndIf}
SectionEnd

; The entry of "Apps" / "Programs and Features", in HKLM or HKCU with the install mode.
Function WriteUninstallEntry
  StrCpy $0 '"$INSTDIR\uninstall.exe" /$MultiUser.InstallMode'
  WriteRegStr SHCTX "${UNINSTALL_KEY}" "DisplayName" "Velnor"
  WriteRegStr SHCTX "${UNINSTALL_KEY}" "DisplayVersion" "${VERSION}"
  WriteRegStr SHCTX "${UNINSTALL_KEY}" "Publisher" "${PUBLISHER}"
  WriteRegStr SHCTX "${UNINSTALL_KEY}" "DisplayIcon" "$ScrPath,0"
  WriteRegStr SHCTX "${UNINSTALL_KEY}" "InstallLocation" "$INSTDIR"
  WriteRegStr SHCTX "${UNINSTALL_KEY}" "UninstallString" "$0"
  WriteRegStr SHCTX "${UNINSTALL_KEY}" "QuietUninstallString" "$0 /S"
  !ifdef HOMEPAGE
    WriteRegStr SHCTX "${UNINSTALL_KEY}" "URLInfoAbout" "${HOMEPAGE}"
    WriteRegStr SHCTX "${UNINSTALL_KEY}" "HelpLink" "${HOMEPAGE}"
  !endif
  WriteRegDWORD SHCTX "${UNINSTALL_KEY}" "NoModify" 1
  WriteRegDWORD SHCTX "${UNINSTALL_KEY}" "NoRepair" 1
  ; The size in KiB: the program and the uninstaller.
  ${GetSize} "$INSTDIR" "/M=uninstall.exe /S=0K /G=0" $1 $2 $3
  ${GetParent} "$ScrPath" $2
  ${GetSize} "$2" "/M=Velnor.scr /S=0K /G=0" $2 $3 $4
  IntOp $1 $1 + $2
  WriteRegDWORD SHCTX "${UNINSTALL_KEY}" "EstimatedSize" $1
FunctionEnd

; The screen-saver settings: as they are while this Velnor is the current screen saver
; (they show it selected), else through the "Install" verb of a .scr, which opens them
; with this one selected and makes it current only when the user confirms.
Function OpenSaverSettings
  ReadRegStr $R7 HKCU "${DESKTOP_KEY}" "SCRNSAVE.EXE"
  StrCpy $R8 $ScrPath
  Call SamePath
  ${If} $R9 == 1
    Exec '"$SYSDIR\control.exe" desk.cpl,,@screensaver'
  ${Else}
    Exec '"$SYSDIR\rundll32.exe" desk.cpl,InstallScreenSaver $ScrPath'
  ${EndIf}
FunctionEnd

; HKCU "Control Panel\Desktop": this Velnor as the screen saver, the saver on, and an idle
; time where the user has none; the system's parameters call applies them at once.
Function MakeCurrentSaver
  WriteRegStr HKCU "${DESKTOP_KEY}" "SCRNSAVE.EXE" "$ScrPath"
  ReadRegStr $0 HKCU "${DESKTOP_KEY}" "ScreenSaveTimeOut"
  ${If} $0 == ""
    ; SPI_SETSCREENSAVETIMEOUT, written to the user's profile and announced.
    System::Call 'user32::SystemParametersInfoW(i 0x000F, i ${DEFAULT_TIMEOUT}, p 0, i 3)'
    ReadRegStr $0 HKCU "${DESKTOP_KEY}" "ScreenSaveTimeOut"
    ${If} $0 == ""
      WriteRegStr HKCU "${DESKTOP_KEY}" "ScreenSaveTimeOut" "${DEFAULT_TIMEOUT}"
    ${EndIf}
  ${EndIf}
  ; SPI_SETSCREENSAVEACTIVE: on, written to the profile and announced to every window.
  System::Call 'user32::SystemParametersInfoW(i 0x0011, i 1, p 0, i 3)'
  WriteRegStr HKCU "${DESKTOP_KEY}" "ScreenSaveActive" "1"
FunctionEnd

; Removes the copy this uninstaller belongs to (its scope found in un.onInit); files of
; another copy, and an entry naming another folder, are left alone.
Section "Uninstall"
  ${If} $MultiUser.InstallMode == "AllUsers"
    StrCpy $ScrPath "$SYSDIR\Velnor.scr"
  ${Else}
    StrCpy $ScrPath "$INSTDIR\Velnor.scr"
  ${EndIf}
  ${If} $OwnsEntry == 1
  ${OrIf} $MultiUser.InstallMode == "CurrentUser"
    Call un.ResetCurrentSaver
    Call un.HandleSettings
    Delete "$ScrPath"
  ${EndIf}
  Delete "$INSTDIR\uninstall.exe"
  RMDir "$INSTDIR"
  ${If} $OwnsEntry == 1
    DeleteRegKey SHCTX "${UNINSTALL_KEY}"
  ${EndIf}
SectionEnd

; SCRNSAVE.EXE is removed only while it still names this Velnor (in full or short form).
Function un.ResetCurrentSaver
  ReadRegStr $0 HKCU "${DESKTOP_KEY}" "SCRNSAVE.EXE"
  GetFullPathName /SHORT $1 "$ScrPath"
  ${If} $0 == "$ScrPath"
  ${OrIf} $0 == $1
    DeleteRegValue HKCU "${DESKTOP_KEY}" "SCRNSAVE.EXE"
    ; WM_SETTINGCHANGE to every top-level window, as the settings page sends it.
    System::Call 'user32::SendMessageTimeoutW(p 0xffff, i 0x001A, p 0, w "${DESKTOP_KEY}", i 2, i 5000, *p .r2)'
  ${EndIf}
FunctionEnd

; Functions that name the sections come after them.
Function .onInit
  !insertmacro MULTIUSER_INIT
  ; Silently, Velnor becomes the current screen saver only when asked (/CURRENT).
  ${If} ${Silent}
    !insertmacro HasSwitch "" "/CURRENT"
    ${If} $0 == 0
      !insertmacro UnselectSection ${SecCurrent}
    ${EndIf}
  ${EndIf}
FunctionEnd

Function un.onInit
  StrCpy $OwnDir $INSTDIR
  !insertmacro MULTIUSER_UNINIT
  Call un.UseOwnScope
  !insertmacro HasSwitch "un." "/PURGE"
  StrCpy $Purge $0
FunctionEnd

; The settings page lists a per-user copy only while it is the current screen saver, so
; a per-user install always makes it current; the page shows that choice fixed.
Function ComponentsShow
  ${If} $MultiUser.InstallMode == "CurrentUser"
    !insertmacro SetSectionFlag ${SecCurrent} ${SF_RO}
    !insertmacro SelectSection ${SecCurrent}
  ${Else}
    !insertmacro ClearSectionFlag ${SecCurrent} ${SF_RO}
  ${EndIf}
FunctionEnd
