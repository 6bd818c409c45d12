; Which copy of Velnor an installer or uninstaller acts on. Each scope records its folder as
; InstallLocation of its "Apps" entry (HKLM for everyone, HKCU for one user); a re-run offers
; the recorded scope, a change of scope moves the user's settings to the per-user file (read
; before the one beside the program) and removes the other copy, and an uninstaller finds
; its copy from its own folder, whatever switch it was started with.

Var OwnDir     ; the uninstaller's own folder
Var OwnsEntry  ; 1 when the scope's entry names this uninstaller's folder (or none exists)
Var WasCurrent ; 1 when a replaced copy was the current screen saver
Var OtherScope ; the folder of an install of the other scope, or ""

; Sets $R9 to 1 when the paths $R7 and $R8 name the same folder or file (in long or short
; form; letter case does not matter), else to 0.
!macro SAME_PATH_FUNCTION prefix
  Function ${prefix}SamePath
    StrCpy $R9 0
    ${If} $R7 == ""
    ${OrIf} $R8 == ""
      Return
    ${EndIf}
    ${If} $R7 == $R8
      StrCpy $R9 1
      Return
    ${EndIf}
    Push $R6
    Push $R5
    GetFullPathName /SHORT $R6 $R7
    GetFullPathName /SHORT $R5 $R8
    ${If} $R6 != ""
    ${AndIf} $R6 == $R5
      StrCpy $R9 1
    ${EndIf}
    Pop $R5
    Pop $R6
  FunctionEnd
!macroend
!insertmacro SAME_PATH_FUNCTION ""
!insertmacro SAME_PATH_FUNCTION "un."

; Moves the settings file $R7 to the per-user file (%APPDATA%\Velnor\Velnor.ini) when that
; does not exist yet; a copy there already is the one every Velnor reads, so $R7 then goes.
!macro MOVE_SETTINGS_FUNCTION prefix
  Function ${prefix}MoveSettingsToUser
    ${IfNot} ${FileExists} $R7
      Return
    ${EndIf}
    SetShellVarContext current
    ${IfNot} ${FileExists} "$APPDATA\Velnor\Velnor.ini"
      CreateDirectory "$APPDATA\Velnor"
      ClearErrors
      Rename $R7 "$APPDATA\Velnor\Velnor.ini"
      ${If} ${Errors}
        ClearErrors
        CopyFiles /SILENT $R7 "$APPDATA\Velnor\Velnor.ini"
      ${EndIf}
    ${EndIf}
    ; Only a file that now has a copy in the per-user place is deleted.
    ${If} ${FileExists} "$APPDATA\Velnor\Velnor.ini"
      Delete $R7
    ${EndIf}
    ${If} $MultiUser.InstallMode == "AllUsers"
      SetShellVarContext all
    ${EndIf}
  FunctionEnd
!macroend
!insertmacro MOVE_SETTINGS_FUNCTION ""
!insertmacro MOVE_SETTINGS_FUNCTION "un."

; After each choice of scope: the folder that scope recorded, and the other scope's folder.
Function UseRecordedFolder
  ReadRegStr $0 SHCTX "${UNINSTALL_KEY}" "InstallLocation"
  ${If} $0 != ""
    StrCpy $INSTDIR $0
  ${EndIf}
  ${If} $MultiUser.InstallMode == "AllUsers"
    ReadRegStr $OtherScope HKCU "${UNINSTALL_KEY}" "InstallLocation"
  ${Else}
    ReadRegStr $OtherScope HKLM "${UNINSTALL_KEY}" "InstallLocation"
  ${EndIf}
FunctionEnd

; Removes the other scope's copy after moving its settings to the per-user file, so that one
; Velnor and one entry are left. A copy for everyone can only go with administrator rights;
; without them it stays (the scope page, which would offer the change, is not shown then).
Function ReplaceOtherScope
  StrCpy $WasCurrent 0
  ${If} $OtherScope == ""
    Return
  ${EndIf}
  ${If} $MultiUser.InstallMode == "AllUsers"
    StrCpy $1 $OtherScope
    StrCpy $2 HKCU
  ${ElseIf} $MultiUser.Privileges == "Admin"
  ${OrIf} $MultiUser.Privileges == "Power"
    StrCpy $1 $SYSDIR
    StrCpy $2 HKLM
  ${Else}
    Return
  ${EndIf}
  DetailPrint "$(MovingSettings)"
  StrCpy $R7 "$1\Velnor.ini"
  Call MoveSettingsToUser
  ReadRegStr $R7 HKCU "${DESKTOP_KEY}" "SCRNSAVE.EXE"
  StrCpy $R8 "$1\Velnor.scr"
  Call SamePath
  StrCpy $WasCurrent $R9
  Delete "$1\Velnor.scr"
  Delete "$OtherScope\uninstall.exe"
  RMDir "$OtherScope"
  ${If} $2 == HKCU
    DeleteRegKey HKCU "${UNINSTALL_KEY}"
  ${Else}
    DeleteRegKey HKLM "${UNINSTALL_KEY}"
  ${EndIf}
FunctionEnd

; The scope page says what a change of scope does, when Velnor is installed already.
Function InstallModeShow
  ReadRegStr $0 HKLM "${UNINSTALL_KEY}" "InstallLocation"
  ReadRegStr $1 HKCU "${UNINSTALL_KEY}" "InstallLocation"
  ${If} $0 != ""
    StrCpy $2 "$(InstalledForEveryone)"
  ${ElseIf} $1 != ""
    StrCpy $2 "$(InstalledForYou)"
  ${Else}
    Return
  ${EndIf}
  ${NSD_CreateLabel} 0 88u 100% 44u "$2 $(ScopeChangeNote)"
  Pop $0
FunctionEnd

; The uninstaller's scope: that of the entry naming its own folder; without one, a folder
; holding Velnor.scr is a copy for one user, any other one for everyone.
Function un.FindOwnScope
  StrCpy $OwnsEntry 1
  ReadRegStr $R7 HKCU "${UNINSTALL_KEY}" "InstallLocation"
  StrCpy $R8 $OwnDir
  Call un.SamePath
  ${If} $R9 == 1
    StrCpy $0 CurrentUser
    Return
  ${EndIf}
  ReadRegStr $R7 HKLM "${UNINSTALL_KEY}" "InstallLocation"
  Call un.SamePath
  ${If} $R9 == 1
    StrCpy $0 AllUsers
    Return
  ${EndIf}
  ${If} ${FileExists} "$OwnDir\Velnor.scr"
    StrCpy $0 CurrentUser
    ReadRegStr $R7 HKCU "${UNINSTALL_KEY}" "InstallLocation"
  ${Else}
    StrCpy $0 AllUsers
  ${EndIf}
  ; An entry of this scope that names another folder belongs to another copy.
  ${If} $R7 != ""
    StrCpy $OwnsEntry 0
  ${EndIf}
FunctionEnd

; Sets the uninstaller's scope from its own folder; for everyone it needs administrator
; rights, and without them it ends without removing anything.
Function un.UseOwnScope
  StrCpy $INSTDIR $OwnDir
  Call un.FindOwnScope
  ${If} $0 == CurrentUser
    Call un.MultiUser.InstallMode.CurrentUser
  ${ElseIf} $MultiUser.Privileges == "Admin"
  ${OrIf} $MultiUser.Privileges == "Power"
    Call un.MultiUser.InstallMode.AllUsers
  ${Else}
    MessageBox MB_OK|MB_ICONSTOP "$(NeedAdministrator)" /SD IDOK
    SetErrorLevel 2
    Quit
  ${EndIf}
  StrCpy $INSTDIR $OwnDir
FunctionEnd

; The settings beside the program and the per-user file are deleted only when the user says
; so, or with /PURGE; a silent uninstall keeps them, moving the file beside the program to
; the per-user place (it would go with the folder). Other files there are left alone.
Function un.HandleSettings
  ${GetParent} "$ScrPath" $R6
  StrCpy $R7 "$R6\Velnor.ini"
  SetShellVarContext current
  ${If} ${FileExists} $R7
  ${OrIf} ${FileExists} "$APPDATA\Velnor\Velnor.ini"
    ${If} $Purge == 0
      MessageBox MB_YESNO|MB_ICONQUESTION|MB_DEFBUTTON2 "$(AskRemoveSettings)" /SD IDNO IDYES remove
      Call un.MoveSettingsToUser
      Goto done
    ${EndIf}
    remove:
    Delete $R7
    Delete "$APPDATA\Velnor\Velnor.ini"
  ${EndIf}
  RMDir "$APPDATA\Velnor"
  done:
  ${If} $MultiUser.InstallMode == "AllUsers"
    SetShellVarContext all
  ${EndIf}
FunctionEnd
