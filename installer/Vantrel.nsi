; Setup of Vantrel!: installs Vantrel.exe, beep.wav and Vantrel.chm for the
; current user (the default, no administrator rights) or for all users
; (Program Files, administrator rights asked for only then).
;
; Built by the build (cmake/Installer.cmake):
;   makensis -DVERSION=1.3 -DBUILD_DIR=<build> -DSOURCE_DIR=<source> -DOUTFILE=<exe> Vantrel.nsi
;
; Switches of setup: /S /CURRENTUSER /ALLUSERS /D=folder /?
; Switches of the uninstaller: /S /REMOVESETTINGS /?
; An installed copy is updated in its own folder and for its own users,
; whatever the switches say.

Unicode true
ManifestDPIAware true
RequestExecutionLevel user
SetCompressor /SOLID lzma

!ifndef VERSION | BUILD_DIR | SOURCE_DIR | OUTFILE
  !error "VERSION, BUILD_DIR, SOURCE_DIR and OUTFILE must be defined"
!endif

!define APP "Vantrel!"
!define PUBLISHER "Brennix"
!define UNINST_KEY "Software\Microsoft\Windows\CurrentVersion\Uninstall\Vantrel"
!define SETTINGS_KEY "Software\Brennix\Vantrel!"
!define MENU_FOLDER "Vantrel!"
; Exit code of a setup that needed administrator rights and did not get them.
!define ERROR_ELEVATION_REQUIRED 740

!include "MUI2.nsh"
!include "LogicLib.nsh"
!include "FileFunc.nsh"
!include "nsDialogs.nsh"

Name "${APP} ${VERSION}"
OutFile "${OUTFILE}"
BrandingText "${PUBLISHER}"
ShowInstDetails hide
ShowUninstDetails hide

VIProductVersion "${VERSION}.0.0"
VIAddVersionKey "ProductName" "${APP}"
VIAddVersionKey "ProductVersion" "${VERSION}"
VIAddVersionKey "CompanyName" "${PUBLISHER}"
VIAddVersionKey "FileDescription" "${APP} ${VERSION} Setup"
VIAddVersionKey "FileVersion" "${VERSION}"
VIAddVersionKey "LegalCopyright" "${PUBLISHER}"

Var AllUsers        ; 1: for all users (HKLM, Program Files); 0: for the current user
Var Upgrade         ; 1: an installed copy is updated
Var RemoveSettings  ; 1: the uninstaller also removes the settings
Var JustMeButton
Var EveryoneButton
Var SettingsBox

!define MUI_ICON "${SOURCE_DIR}\resources\Vantrel.ico"
!define MUI_UNICON "${SOURCE_DIR}\resources\Vantrel.ico"
!define MUI_ABORTWARNING
!define MUI_WELCOMEPAGE_TEXT "Setup will install ${APP} ${VERSION}, the planner for your appointments, tasks and phone book, on this computer.$\r$\n$\r$\nClick Next to continue."

!define MUI_PAGE_CUSTOMFUNCTION_PRE SkipWhenUpdating
!insertmacro MUI_PAGE_WELCOME
Page custom ScopePage ScopePageLeave
!define MUI_PAGE_CUSTOMFUNCTION_PRE SkipWhenUpdating
!insertmacro MUI_PAGE_DIRECTORY
!insertmacro MUI_PAGE_INSTFILES
!define MUI_FINISHPAGE_RUN "$INSTDIR\Vantrel.exe"
!define MUI_FINISHPAGE_RUN_TEXT "Start ${APP} now"
!insertmacro MUI_PAGE_FINISH

!insertmacro MUI_UNPAGE_CONFIRM
UninstPage custom un.SettingsPage un.SettingsPageLeave
!insertmacro MUI_UNPAGE_INSTFILES

!insertmacro MUI_LANGUAGE "English"

; --- Shared by setup and the uninstaller --------------------------------------

; Returns (on the stack) 1 when the command line holds the switch $0.
!macro HAS_SWITCH prefix
Function ${prefix}HasSwitch
  Exch $0
  Push $1
  Push $2
  ${GetParameters} $1
  ClearErrors
  ${GetOptions} $1 $0 $2
  ${If} ${Errors}
    StrCpy $0 0
  ${Else}
    StrCpy $0 1
  ${EndIf}
  Pop $2
  Pop $1
  Exch $0
FunctionEnd
!macroend
!insertmacro HAS_SWITCH ""
!insertmacro HAS_SWITCH "un."

; Runs this program again with administrator rights and the parameters $0,
; waits for it and quits with its exit code. Without the rights (the user
; said no, or they were already asked for) it quits with 740.
!macro ELEVATE prefix
Function ${prefix}Elevate
  UserInfo::GetAccountType
  Pop $1
  ${If} $1 == "Admin"
    Return
  ${EndIf}
  Push "/ELEVATED"
  Call ${prefix}HasSwitch
  Pop $1
  ${If} $1 == 1
    MessageBox MB_ICONSTOP|MB_OK "Administrator rights are needed to change ${APP} for all users." /SD IDOK
    SetErrorLevel ${ERROR_ELEVATION_REQUIRED}
    Quit
  ${EndIf}
  HideWindow
  ; SHELLEXECUTEINFO (60 bytes on 32-bit Windows), asking for the process
  ; handle so that the elevated copy can be waited for.
  System::Call '*(i 60, i 0x40, p $HWNDPARENT, t "runas", t "$EXEPATH", t "$0", p 0, i 1, p 0, p 0, p 0, p 0, i 0, p 0, p 0) p .r9'
  System::Call 'shell32::ShellExecuteExW(p r9) i .r1'
  ${If} $1 <> 0
    System::Call '*$9(i, i, p, p, p, p, p, i, p, p, p, p, i, p, p .r8)'
    System::Call 'kernel32::WaitForSingleObject(p r8, i -1)'
    System::Call 'kernel32::GetExitCodeProcess(p r8, *i .r7)'
    System::Call 'kernel32::CloseHandle(p r8)'
    SetErrorLevel $7
  ${Else}
    SetErrorLevel ${ERROR_ELEVATION_REQUIRED}
  ${EndIf}
  System::Free $9
  Quit
FunctionEnd
!macroend
!insertmacro ELEVATE ""
!insertmacro ELEVATE "un."

; --- Setup ----------------------------------------------------------------------

Function .onInit
  Push "/?"
  Call HasSwitch
  Pop $0
  ${If} $0 == 1
    MessageBox MB_OK|MB_ICONINFORMATION "${APP} ${VERSION} Setup$\r$\n$\r$\n\
Vantrel-${VERSION}-setup.exe [/S] [/CURRENTUSER | /ALLUSERS] [/D=folder]$\r$\n$\r$\n\
/S  -  install silently: no window, no question$\r$\n\
/CURRENTUSER  -  install for the current user only (the default; no administrator rights)$\r$\n\
/ALLUSERS  -  install for all users of this computer (needs administrator rights)$\r$\n\
/D=folder  -  install into this folder; last, and without quotes$\r$\n\
/?  -  show this list$\r$\n$\r$\n\
An installed ${APP} is updated in its own folder and for its own users.$\r$\n\
The uninstaller takes /S, /REMOVESETTINGS (also remove the settings) and /?."
    Quit
  ${EndIf}

  ; An installed copy decides the folder and the users.
  StrCpy $Upgrade 0
  ReadRegStr $0 HKCU "${UNINST_KEY}" "InstallLocation"
  ${If} $0 != ""
    StrCpy $Upgrade 1
    StrCpy $AllUsers 0
    StrCpy $INSTDIR $0
  ${Else}
    ReadRegStr $0 HKLM "${UNINST_KEY}" "InstallLocation"
    ${If} $0 != ""
      StrCpy $Upgrade 1
      StrCpy $AllUsers 1
      StrCpy $INSTDIR $0
    ${Else}
      Push "/ALLUSERS"
      Call HasSwitch
      Pop $AllUsers
    ${EndIf}
  ${EndIf}
  Call ApplyScope
  ; Silent, or updating an installation for all users: ask for the rights now.
  ${If} $AllUsers == 1
  ${AndIf} ${Silent}
  ${OrIf} $Upgrade == 1
  ${AndIf} $AllUsers == 1
    Call ElevateForAllUsers
  ${EndIf}
FunctionEnd

; Sets the shell folders, the registry root and, unless /D= or an
; installed copy chose it, the folder for the chosen users.
Function ApplyScope
  ${If} $AllUsers == 1
    SetShellVarContext all
    ${If} $INSTDIR == ""
      StrCpy $INSTDIR "$PROGRAMFILES\Vantrel"
    ${EndIf}
  ${Else}
    SetShellVarContext current
    ${If} $INSTDIR == ""
      StrCpy $INSTDIR "$LOCALAPPDATA\Programs\Vantrel"
    ${EndIf}
  ${EndIf}
FunctionEnd

Function ElevateForAllUsers
  StrCpy $0 "/ELEVATED /ALLUSERS"
  ${If} ${Silent}
    StrCpy $0 "$0 /S"
  ${EndIf}
  StrCpy $0 "$0 /D=$INSTDIR"
  Call Elevate
FunctionEnd

Function SkipWhenUpdating
  ${If} $Upgrade == 1
    Abort
  ${EndIf}
FunctionEnd

Function ScopePage
  ${If} $Upgrade == 1
    Abort
  ${EndIf}
  Push "/ELEVATED"
  Call HasSwitch
  Pop $0
  ${If} $0 == 1
    Abort
  ${EndIf}
  !insertmacro MUI_HEADER_TEXT "Choose Users" "Choose for whom ${APP} is installed."
  nsDialogs::Create 1018
  Pop $0
  ${NSD_CreateLabel} 0 0 100% 24u "Install ${APP} for:"
  Pop $0
  ${NSD_CreateRadioButton} 10u 26u 90% 12u "&Just me (no administrator rights needed)"
  Pop $JustMeButton
  ${NSD_CreateLabel} 22u 39u 88% 20u "Into your own programs folder; only you see it in the Start menu."
  Pop $0
  ${NSD_CreateRadioButton} 10u 64u 90% 12u "&Everyone who uses this computer"
  Pop $EveryoneButton
  ${NSD_CreateLabel} 22u 77u 88% 20u "Into the Program Files folder. Windows asks for administrator rights."
  Pop $0
  ${If} $AllUsers == 1
    ${NSD_Check} $EveryoneButton
  ${Else}
    ${NSD_Check} $JustMeButton
  ${EndIf}
  nsDialogs::Show
FunctionEnd

Function ScopePageLeave
  ${NSD_GetState} $EveryoneButton $0
  ${If} $0 == ${BST_CHECKED}
    ${If} $AllUsers != 1
      StrCpy $INSTDIR ""
    ${EndIf}
    StrCpy $AllUsers 1
  ${Else}
    ${If} $AllUsers != 0
      StrCpy $INSTDIR ""
    ${EndIf}
    StrCpy $AllUsers 0
  ${EndIf}
  Call ApplyScope
  ${If} $AllUsers == 1
    ; Without the rights, setup continues in an elevated copy of itself,
    ; which starts at the folder page.
    Call ElevateForAllUsers
  ${EndIf}
FunctionEnd

; Size in kilobytes (rounded up) of the file $0, added to $1.
Function AddFileSize
  FileOpen $2 $0 r
  ${IfNot} ${Errors}
    FileSeek $2 0 END $3
    FileClose $2
    IntOp $3 $3 + 1023
    IntOp $3 $3 / 1024
    IntOp $1 $1 + $3
  ${EndIf}
FunctionEnd

Section "${APP}" SectionProgram
  SectionIn RO
  SetOutPath "$INSTDIR"
  File "${BUILD_DIR}\Vantrel.exe"
  File "${BUILD_DIR}\beep.wav"
  File "${BUILD_DIR}\Vantrel.chm"
  WriteUninstaller "$INSTDIR\Uninstall.exe"

  CreateDirectory "$SMPROGRAMS\${MENU_FOLDER}"
  CreateShortcut "$SMPROGRAMS\${MENU_FOLDER}\${APP}.lnk" "$INSTDIR\Vantrel.exe"
  CreateShortcut "$SMPROGRAMS\${MENU_FOLDER}\${APP} Help.lnk" "$INSTDIR\Vantrel.chm"
  CreateShortcut "$SMPROGRAMS\${MENU_FOLDER}\Uninstall ${APP}.lnk" "$INSTDIR\Uninstall.exe"

  StrCpy $1 0
  ${ForEach} $4 0 3 + 1
    ${Select} $4
      ${Case} 0
        StrCpy $0 "$INSTDIR\Vantrel.exe"
      ${Case} 1
        StrCpy $0 "$INSTDIR\beep.wav"
      ${Case} 2
        StrCpy $0 "$INSTDIR\Vantrel.chm"
      ${Case} 3
        StrCpy $0 "$INSTDIR\Uninstall.exe"
    ${EndSelect}
    Call AddFileSize
  ${Next}

  ; SHCTX is HKLM for all users and HKCU for the current user.
  WriteRegStr SHCTX "${UNINST_KEY}" "DisplayName" "${APP} ${VERSION}"
  WriteRegStr SHCTX "${UNINST_KEY}" "DisplayVersion" "${VERSION}"
  WriteRegStr SHCTX "${UNINST_KEY}" "Publisher" "${PUBLISHER}"
  WriteRegStr SHCTX "${UNINST_KEY}" "DisplayIcon" "$INSTDIR\Vantrel.exe,0"
  WriteRegStr SHCTX "${UNINST_KEY}" "InstallLocation" "$INSTDIR"
  WriteRegStr SHCTX "${UNINST_KEY}" "UninstallString" '"$INSTDIR\Uninstall.exe"'
  WriteRegStr SHCTX "${UNINST_KEY}" "QuietUninstallString" '"$INSTDIR\Uninstall.exe" /S'
  WriteRegDWORD SHCTX "${UNINST_KEY}" "EstimatedSize" $1
  WriteRegDWORD SHCTX "${UNINST_KEY}" "NoModify" 1
  WriteRegDWORD SHCTX "${UNINST_KEY}" "NoRepair" 1
SectionEnd

; --- Uninstaller ------------------------------------------------------------------

Function un.onInit
  Push "/?"
  Call un.HasSwitch
  Pop $0
  ${If} $0 == 1
    MessageBox MB_OK|MB_ICONINFORMATION "${APP} ${VERSION} Uninstall$\r$\n$\r$\n\
Uninstall.exe [/S] [/REMOVESETTINGS]$\r$\n$\r$\n\
/S  -  remove ${APP} silently: no window, no question$\r$\n\
/REMOVESETTINGS  -  also remove your ${APP} settings (recent documents, alarm sound)$\r$\n\
/?  -  show this list$\r$\n$\r$\n\
Your documents are never removed."
    Quit
  ${EndIf}
  Push "/REMOVESETTINGS"
  Call un.HasSwitch
  Pop $RemoveSettings

  ; Installed for all users when the machine-wide entry names this folder.
  StrCpy $AllUsers 0
  ReadRegStr $0 HKLM "${UNINST_KEY}" "InstallLocation"
  ${If} $0 == $INSTDIR
    StrCpy $AllUsers 1
  ${EndIf}
  ${If} $AllUsers == 1
    SetShellVarContext all
    StrCpy $0 "/ELEVATED"
    ${If} ${Silent}
      StrCpy $0 "$0 /S"
    ${EndIf}
    ${If} $RemoveSettings == 1
      StrCpy $0 "$0 /REMOVESETTINGS"
    ${EndIf}
    StrCpy $0 "$0 _?=$INSTDIR"
    Call un.Elevate
  ${Else}
    SetShellVarContext current
  ${EndIf}
FunctionEnd

Function un.SettingsPage
  !insertmacro MUI_HEADER_TEXT "Your Settings" "Choose whether your ${APP} settings stay."
  nsDialogs::Create 1018
  Pop $0
  ${NSD_CreateLabel} 0 0 100% 36u "${APP} keeps your list of recent documents and your alarm sound in the registry. They stay unless you check the box below. Your documents are never removed."
  Pop $0
  ${NSD_CreateCheckbox} 0 44u 100% 12u "&Also remove my ${APP} settings"
  Pop $SettingsBox
  ${If} $RemoveSettings == 1
    ${NSD_Check} $SettingsBox
  ${EndIf}
  nsDialogs::Show
FunctionEnd

Function un.SettingsPageLeave
  ${NSD_GetState} $SettingsBox $0
  ${If} $0 == ${BST_CHECKED}
    StrCpy $RemoveSettings 1
  ${Else}
    StrCpy $RemoveSettings 0
  ${EndIf}
FunctionEnd

Section "Uninstall"
  ; A running program cannot be removed: it is asked to be closed first.
retry_program:
  Delete "$INSTDIR\Vantrel.exe"
  ${If} ${FileExists} "$INSTDIR\Vantrel.exe"
    MessageBox MB_RETRYCANCEL|MB_ICONEXCLAMATION "${APP} is still running. Close it, then click Retry." /SD IDCANCEL IDRETRY retry_program
    Abort "${APP} is still running."
  ${EndIf}
  ; Only what setup put there: a document or any other file in the folder
  ; keeps the folder too.
  Delete "$INSTDIR\beep.wav"
  Delete "$INSTDIR\Vantrel.chm"
  Delete "$INSTDIR\Uninstall.exe"
  RMDir "$INSTDIR"

  Delete "$SMPROGRAMS\${MENU_FOLDER}\${APP}.lnk"
  Delete "$SMPROGRAMS\${MENU_FOLDER}\${APP} Help.lnk"
  Delete "$SMPROGRAMS\${MENU_FOLDER}\Uninstall ${APP}.lnk"
  RMDir "$SMPROGRAMS\${MENU_FOLDER}"

  DeleteRegKey SHCTX "${UNINST_KEY}"
  ${If} $RemoveSettings == 1
    DeleteRegKey HKCU "${SETTINGS_KEY}"
    DeleteRegKey /ifempty HKCU "Software\Brennix"
  ${EndIf}
SectionEnd
