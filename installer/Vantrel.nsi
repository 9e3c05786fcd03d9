; Setup of Vantrel!: installs Vantrel.exe, beep.wav and Vantrel.chm for the
; current user (the default, no administrator rights) or for all users
; (Program Files, administrator rights asked for only then).
;
; Built by the build (cmake/Installer.cmake):
;   makensis -DVERSION=1.3 -DBUILD_DIR=<build> -DSOURCE_DIR=<source> -DOUTFILE=<exe> Vantrel.nsi
;
; Switches of setup: /S /CURRENTUSER /ALLUSERS /NOASSOC /DESKTOP /D=folder /?
; Switches of the uninstaller: /S /REMOVESETTINGS /?
; An installed copy is updated in its own folder and for its own users,
; whatever the switches say, and keeps its association of .pgr documents.
;
; Setup for all users run without administrator rights goes on in a copy of
; itself started with the rights (/ELEVATED), and waits for it. That copy may
; run as another account (an administrator's), so whatever belongs to the
; user who ran setup is done by the first copy once the second has ended:
; starting the program at the end, removing the user's settings.

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
; Window class of the program's main window (MainFrame::kClassName).
!define FRAME_CLASS "VantrelFrame"
!define CLASSES "Software\Classes"  ; under HKCU or HKLM: file types of a user or of all
!define PROGID "Vantrel.Document"
; Exit code of a setup that needed administrator rights and did not get them.
!define ERROR_ELEVATION_REQUIRED 740
; Exit codes of a setup that changed nothing because Vantrel! kept running,
; or because a newer version is installed.
!define EXIT_PROGRAM_RUNNING 3
!define EXIT_NEWER_INSTALLED 4
; Exit codes by which an elevated copy, having succeeded, asks the copy that
; started it to start the program, or to remove the settings, as its user.
!define EXIT_START_PROGRAM 10
!define EXIT_REMOVE_SETTINGS 11

!include "MUI2.nsh"
!include "LogicLib.nsh"
!include "FileFunc.nsh"
!include "nsDialogs.nsh"
!include "WordFunc.nsh"

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
Var Elevated        ; 1: this copy was started with administrator rights by another
Var Associate       ; 1: .pgr documents open with the program
Var DesktopShortcut ; 1: a shortcut on the desktop
Var AssociateBox
Var DesktopBox
Var JustMeButton
Var EveryoneButton
Var SettingsBox

!define MUI_ICON "${SOURCE_DIR}\resources\Vantrel.ico"
!define MUI_UNICON "${SOURCE_DIR}\resources\Vantrel.ico"
!define MUI_ABORTWARNING
!define MUI_WELCOMEPAGE_TEXT "Setup will install ${APP} ${VERSION}, the planner for your appointments, tasks and phone book, on this computer.$\r$\n$\r$\nClick Next to continue."

!define MUI_PAGE_CUSTOMFUNCTION_PRE SkipWelcome
!insertmacro MUI_PAGE_WELCOME
Page custom ScopePage ScopePageLeave
!define MUI_PAGE_CUSTOMFUNCTION_PRE SkipWhenUpdating
!define MUI_PAGE_CUSTOMFUNCTION_SHOW NoWayBackWhenElevated
!insertmacro MUI_PAGE_DIRECTORY
Page custom OptionsPage OptionsPageLeave
!insertmacro MUI_PAGE_INSTFILES
!define MUI_FINISHPAGE_RUN
!define MUI_FINISHPAGE_RUN_TEXT "Start ${APP} now"
!define MUI_FINISHPAGE_RUN_FUNCTION StartProgram
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
; waits for it, lets ${prefix}AfterElevated act on its exit code and quits
; with the result. Returns only when this copy has the rights already, or
; when Windows did not start the copy (the user declined): then $0 is
; "declined", for the caller to say so and offer what it can. A copy that
; was itself started for the rights and lacks them quits with 740.
!macro ELEVATE prefix
Function ${prefix}Elevate
  UserInfo::GetAccountType
  Pop $1
  ${If} $1 == "Admin"
    Return
  ${EndIf}
  ${If} $Elevated == 1
    MessageBox MB_ICONSTOP|MB_OK "Administrator rights are needed to change ${APP} for all users." /SD IDOK
    SetErrorLevel ${ERROR_ELEVATION_REQUIRED}
    Quit
  ${EndIf}
  ; SHELLEXECUTEINFO (60 bytes on 32-bit Windows), asking for the process
  ; handle so that the elevated copy can be waited for.
  System::Call '*(i 60, i 0x40, p $HWNDPARENT, t "runas", t "$EXEPATH", t "$0", p 0, i 1, p 0, p 0, p 0, p 0, i 0, p 0, p 0) p .r9'
  System::Call 'shell32::ShellExecuteExW(p r9) i .r1'
  ${If} $1 = 0
    System::Free $9
    StrCpy $0 "declined"
    Return
  ${EndIf}
  HideWindow
  System::Call '*$9(i, i, p, p, p, p, p, i, p, p, p, p, i, p, p .r8)'
  System::Call 'kernel32::WaitForSingleObject(p r8, i -1)'
  System::Call 'kernel32::GetExitCodeProcess(p r8, *i .r7)'
  System::Call 'kernel32::CloseHandle(p r8)'
  System::Free $9
  Call ${prefix}AfterElevated
  SetErrorLevel $7
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
Vantrel-${VERSION}-setup.exe [/S] [/CURRENTUSER | /ALLUSERS] [/NOASSOC] [/DESKTOP] [/D=folder]$\r$\n$\r$\n\
/S  -  install silently: no window, no question$\r$\n\
/CURRENTUSER  -  install for the current user only (the default; no administrator rights)$\r$\n\
/ALLUSERS  -  install for all users of this computer (needs administrator rights)$\r$\n\
/NOASSOC  -  do not make .pgr documents open with ${APP}$\r$\n\
/DESKTOP  -  also put a shortcut to ${APP} on the desktop$\r$\n\
/D=folder  -  install into this folder; last, and without quotes$\r$\n\
/?  -  show this list$\r$\n$\r$\n\
An installed ${APP} is updated in its own folder and for its own users.$\r$\n\
The uninstaller takes /S, /REMOVESETTINGS (also remove the settings) and /?."
    Quit
  ${EndIf}
  Push "/ELEVATED"
  Call HasSwitch
  Pop $Elevated

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
  Call ChooseOptions
  ${If} $Upgrade == 1
    ; The copy that asked for the rights has asked this question already.
    ${If} $Elevated == 0
      Call AskBeforeDowngrade
    ${EndIf}
    Call WaitForProgramToEnd
  ${EndIf}
  ; Silent, or updating an installation for all users: ask for the rights now.
  ${If} $AllUsers == 1
  ${AndIf} ${Silent}
  ${OrIf} $Upgrade == 1
  ${AndIf} $AllUsers == 1
    Call ElevateForAllUsers
    ${If} $0 == "declined"
      MessageBox MB_ICONSTOP|MB_OK "Changing ${APP} for everyone who uses this computer needs administrator rights.$\r$\n$\r$\nSetup ends without changing anything." /SD IDOK
      SetErrorLevel ${ERROR_ELEVATION_REQUIRED}
      Quit
    ${EndIf}
  ${EndIf}
FunctionEnd

; What setup does besides the files: .pgr documents open with the program
; unless /NOASSOC says no or the installed copy was set up without that;
; a desktop shortcut with /DESKTOP or when the installed copy has one.
Function ChooseOptions
  Push "/NOASSOC"
  Call HasSwitch
  Pop $0
  IntOp $Associate $0 !
  ${If} $Upgrade == 1
    ClearErrors
    ReadRegDWORD $0 SHCTX "${UNINST_KEY}" "FileAssociation"
    ${IfNot} ${Errors}
    ${AndIf} $0 = 0
      StrCpy $Associate 0
    ${EndIf}
  ${EndIf}
  Push "/DESKTOP"
  Call HasSwitch
  Pop $DesktopShortcut
  ${If} $Upgrade == 1
  ${AndIf} ${FileExists} "$DESKTOP\${APP}.lnk"
    StrCpy $DesktopShortcut 1
  ${EndIf}
FunctionEnd

; An older version put over a newer one: interactive setup asks, silent
; setup refuses. Either way nothing has changed yet.
Function AskBeforeDowngrade
  ReadRegStr $0 SHCTX "${UNINST_KEY}" "DisplayVersion"
  ${VersionCompare} $0 "${VERSION}" $1
  ${If} $1 == 1
    ${IfNot} ${Cmd} `MessageBox MB_YESNO|MB_ICONEXCLAMATION|MB_DEFBUTTON2 "A newer ${APP}, version $0, is installed on this computer.$\r$\n$\r$\nReplace it with the older version ${VERSION}?" /SD IDNO IDYES`
      SetErrorLevel ${EXIT_NEWER_INSTALLED}
      Quit
    ${EndIf}
  ${EndIf}
FunctionEnd

; A running Vantrel! holds its program file, which an update replaces.
; Interactive setup asks the user to close it; silent setup waits up to
; 30 seconds for it to end. Failing that, setup quits having changed nothing.
Function WaitForProgramToEnd
  FindWindow $0 "${FRAME_CLASS}"
  ${If} $0 = 0
    Return
  ${EndIf}
  StrCpy $1 0
  ${DoWhile} $0 <> 0
    ${If} ${Silent}
      ${If} $1 >= 60
        SetErrorLevel ${EXIT_PROGRAM_RUNNING}
        Quit
      ${EndIf}
      Sleep 500
      IntOp $1 $1 + 1
    ${ElseIfNot} ${Cmd} `MessageBox MB_RETRYCANCEL|MB_ICONEXCLAMATION "${APP} is running. Close it, saving your work if you wish, then click Retry.$\r$\n$\r$\nCancel ends setup without changing anything." IDRETRY`
      SetErrorLevel ${EXIT_PROGRAM_RUNNING}
      Quit
    ${EndIf}
    FindWindow $0 "${FRAME_CLASS}"
  ${Loop}
  ; The window goes a moment before the process lets go of the file.
  ${For} $1 1 10
    ClearErrors
    FileOpen $0 "$INSTDIR\Vantrel.exe" a
    ${IfNot} ${Errors}
      FileClose $0
      ${Break}
    ${EndIf}
    Sleep 500
  ${Next}
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

; Continues in a copy with administrator rights (see Elevate), passing on
; the choices made so far.
Function ElevateForAllUsers
  StrCpy $0 "/ELEVATED /ALLUSERS"
  ${If} ${Silent}
    StrCpy $0 "$0 /S"
  ${EndIf}
  ${If} $Associate == 0
    StrCpy $0 "$0 /NOASSOC"
  ${EndIf}
  ${If} $DesktopShortcut == 1
    StrCpy $0 "$0 /DESKTOP"
  ${EndIf}
  StrCpy $0 "$0 /D=$INSTDIR"
  Call Elevate
FunctionEnd

; The elevated copy has ended with the exit code $7. When it asked for the
; program to be started, this copy starts it: as the user who ran setup,
; without the rights. The folder is read back, as that copy may have
; installed into another one.
Function AfterElevated
  ${If} $7 = ${EXIT_START_PROGRAM}
    ReadRegStr $0 HKLM "${UNINST_KEY}" "InstallLocation"
    Exec '"$0\Vantrel.exe"'
    StrCpy $7 0
  ${EndIf}
FunctionEnd

; "Start Vantrel! now" on the last page.
Function StartProgram
  ${If} $Elevated == 1
    SetErrorLevel ${EXIT_START_PROGRAM}
  ${Else}
    Exec '"$INSTDIR\Vantrel.exe"'
  ${EndIf}
FunctionEnd

; The copy started for the rights goes on where the first copy left off, so
; the user does not see the welcome again.
Function SkipWelcome
  ${If} $Upgrade == 1
  ${OrIf} $Elevated == 1
    Abort
  ${EndIf}
FunctionEnd

; In the elevated copy the folder page comes first: with the pages before
; it skipped, Back would end setup.
Function NoWayBackWhenElevated
  ${If} $Elevated == 1
    GetDlgItem $0 $HWNDPARENT 3
    EnableWindow $0 0
  ${EndIf}
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
  ${If} $Elevated == 1
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
    ${If} $0 == "declined"
      ${IfNot} ${Cmd} `MessageBox MB_YESNO|MB_ICONQUESTION "Installing ${APP} for everyone who uses this computer needs administrator rights, and Windows did not give them.$\r$\n$\r$\nInstall ${APP} just for you instead? That needs no administrator rights." IDYES`
        Abort  ; back to the choice of users
      ${EndIf}
      StrCpy $AllUsers 0
      StrCpy $INSTDIR ""
      Call ApplyScope
    ${EndIf}
  ${EndIf}
FunctionEnd

Function OptionsPage
  ${If} $Upgrade == 1
    Abort
  ${EndIf}
  !insertmacro MUI_HEADER_TEXT "Choose Options" "Choose what else setup does."
  nsDialogs::Create 1018
  Pop $0
  ${NSD_CreateCheckbox} 0 0 100% 12u "&Open ${APP} documents (.pgr) with ${APP}"
  Pop $AssociateBox
  ${NSD_CreateLabel} 12u 13u 88% 20u "Double-clicking a document in Explorer starts ${APP} with it, and documents show ${APP}'s own icon."
  Pop $0
  ${NSD_CreateCheckbox} 0 40u 100% 12u "Put a shortcut to ${APP} on the &desktop"
  Pop $DesktopBox
  ${If} $Associate == 1
    ${NSD_Check} $AssociateBox
  ${EndIf}
  ${If} $DesktopShortcut == 1
    ${NSD_Check} $DesktopBox
  ${EndIf}
  nsDialogs::Show
FunctionEnd

Function OptionsPageLeave
  ${NSD_GetState} $AssociateBox $0
  ${If} $0 == ${BST_CHECKED}
    StrCpy $Associate 1
  ${Else}
    StrCpy $Associate 0
  ${EndIf}
  ${NSD_GetState} $DesktopBox $0
  ${If} $0 == ${BST_CHECKED}
    StrCpy $DesktopShortcut 1
  ${Else}
    StrCpy $DesktopShortcut 0
  ${EndIf}
FunctionEnd

; The command Explorer runs to open a document, written and compared as is.
!define OPEN_COMMAND '"$INSTDIR\Vantrel.exe" "%1"'

; Makes .pgr documents open with the program, with its document icon, and
; lists it under "Open with", for the users it is installed for (SHCTX:
; HKCU's classes for the current user, HKLM's for all users).
Function WriteAssociation
  WriteRegStr SHCTX "${CLASSES}\${PROGID}" "" "${APP} Document"
  WriteRegStr SHCTX "${CLASSES}\${PROGID}\DefaultIcon" "" "$INSTDIR\Vantrel.exe,1"
  WriteRegStr SHCTX "${CLASSES}\${PROGID}\shell\open\command" "" '${OPEN_COMMAND}'
  WriteRegStr SHCTX "${CLASSES}\.pgr\OpenWithProgids" "${PROGID}" ""
  WriteRegStr SHCTX "${CLASSES}\Applications\Vantrel.exe" "FriendlyAppName" "${APP}"
  WriteRegStr SHCTX "${CLASSES}\Applications\Vantrel.exe\SupportedTypes" ".pgr" ""
  WriteRegStr SHCTX "${CLASSES}\Applications\Vantrel.exe\shell\open\command" "" '${OPEN_COMMAND}'
  ; An update leaves .pgr with a program the user has chosen since.
  ReadRegStr $0 SHCTX "${CLASSES}\.pgr" ""
  ${If} $Upgrade == 0
  ${OrIf} $0 == ""
  ${OrIf} $0 == "${PROGID}"
    WriteRegStr SHCTX "${CLASSES}\.pgr" "" "${PROGID}"
  ${EndIf}
  Call NotifyAssociationChanged
FunctionEnd

!macro NOTIFY_ASSOCIATION_CHANGED prefix
; Tells Explorer to read the file types again (SHCNE_ASSOCCHANGED).
Function ${prefix}NotifyAssociationChanged
  System::Call 'shell32::SHChangeNotify(i 0x08000000, i 0, p 0, p 0)'
FunctionEnd
!macroend
!insertmacro NOTIFY_ASSOCIATION_CHANGED ""
!insertmacro NOTIFY_ASSOCIATION_CHANGED "un."

; Size in kilobytes (rounded up) of the file $0, added to $1.
Function AddFileSize
  ClearErrors
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
  ${If} $DesktopShortcut == 1
    CreateShortcut "$DESKTOP\${APP}.lnk" "$INSTDIR\Vantrel.exe"
  ${EndIf}
  ${If} $Associate == 1
    Call WriteAssociation
  ${EndIf}

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
  ; Read by the next update, which follows this choice.
  WriteRegDWORD SHCTX "${UNINST_KEY}" "FileAssociation" $Associate
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
  Push "/ELEVATED"
  Call un.HasSwitch
  Pop $Elevated

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
    ${If} $0 == "declined"
      MessageBox MB_ICONSTOP|MB_OK "Removing ${APP} from all users needs administrator rights.$\r$\n$\r$\nNothing was removed." /SD IDOK
      SetErrorLevel ${ERROR_ELEVATION_REQUIRED}
      Quit
    ${EndIf}
  ${Else}
    SetShellVarContext current
  ${EndIf}
FunctionEnd

; The elevated copy has ended with the exit code $7. The settings it was
; asked to remove are those of the user who ran the uninstaller, so this
; copy, running as that user, removes them.
Function un.AfterElevated
  ${If} $7 = ${EXIT_REMOVE_SETTINGS}
    Call un.RemoveSettings
    StrCpy $7 0
  ${EndIf}
FunctionEnd

Function un.RemoveSettings
  DeleteRegKey HKCU "${SETTINGS_KEY}"
  DeleteRegKey /ifempty HKCU "Software\Brennix"
FunctionEnd

; Takes back the association only while it is still the program's: a .pgr
; the user has given to another program since stays with that program.
Function un.RemoveAssociation
  ReadRegStr $0 SHCTX "${CLASSES}\${PROGID}\shell\open\command" ""
  ${If} $0 == '${OPEN_COMMAND}'
    ReadRegStr $1 SHCTX "${CLASSES}\.pgr" ""
    ${If} $1 == "${PROGID}"
      DeleteRegValue SHCTX "${CLASSES}\.pgr" ""
    ${EndIf}
    DeleteRegValue SHCTX "${CLASSES}\.pgr\OpenWithProgids" "${PROGID}"
    DeleteRegKey /ifempty SHCTX "${CLASSES}\.pgr\OpenWithProgids"
    DeleteRegKey /ifempty SHCTX "${CLASSES}\.pgr"
    DeleteRegKey SHCTX "${CLASSES}\${PROGID}"
  ${EndIf}
  ReadRegStr $0 SHCTX "${CLASSES}\Applications\Vantrel.exe\shell\open\command" ""
  ${If} $0 == '${OPEN_COMMAND}'
    DeleteRegKey SHCTX "${CLASSES}\Applications\Vantrel.exe"
  ${EndIf}
  Call un.NotifyAssociationChanged
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
  Delete "$DESKTOP\${APP}.lnk"
  Call un.RemoveAssociation

  DeleteRegKey SHCTX "${UNINST_KEY}"
  ${If} $RemoveSettings == 1
    ${If} $Elevated == 1
      ; This copy may run as another account; the first copy removes the
      ; settings of its own user when this one ends (un.AfterElevated).
      SetErrorLevel ${EXIT_REMOVE_SETTINGS}
    ${Else}
      Call un.RemoveSettings
    ${EndIf}
  ${EndIf}
SectionEnd
