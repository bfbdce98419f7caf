; The Pixdeck installer, one per architecture. scripts/package-windows makes it:
;   makensis -DVERSION=1.2.1 -DARCH=win64 -DFILES=<folder> -DOUTFILE=<file> pixdeck.nsi
; FILES holds what is installed: pixdeck.exe, pixdeck-cli.exe, Bkcolors.txt,
; License.txt and ReadMe.txt.
;
; It installs for the current user, without administrator rights, into
; %LOCALAPPDATA%\Programs\Pixdeck, unless it runs elevated or is given
; /AllUsers: then for every user into Program Files. /CurrentUser asks for the
; per-user install also when elevated; /S installs silently and /D=<folder>
; (the last option, unquoted) chooses the folder. Exit status: 0 when
; installed, 2 when the installer gave up.
;
; The uninstaller removes each file that the installer put there, the Start-menu
; shortcut and the entry in the list of installed programs, and the folder
; only when nothing else is left in it: the settings file (pixdeck.INI) and
; any page that the user saved there stay.

Unicode true
RequestExecutionLevel user
ManifestDPIAware true
ManifestSupportedOS all
SetCompressor /SOLID lzma

!macro Required NAME
  !ifndef ${NAME}
    !error "${NAME} must be given with -D${NAME}=..."
  !endif
!macroend
!insertmacro Required VERSION
!insertmacro Required ARCH
!insertmacro Required FILES
!insertmacro Required OUTFILE

!if "${ARCH}" == "win64"
  Target amd64-unicode
  !define BITS 64
!else if "${ARCH}" == "win32"
  Target x86-unicode
  !define BITS 32
!else
  !error "ARCH must be win32 or win64, not ${ARCH}"
!endif

!define PRODUCT "Pixdeck"
!define PUBLISHER "The Pixdeck project"
!define UNINSTALL_KEY "Software\Microsoft\Windows\CurrentVersion\Uninstall\Pixdeck"
!define UNINSTALLER "uninstall.exe"
!define SHORTCUT "$SMPROGRAMS\Pixdeck.lnk"

!include LogicLib.nsh
!include FileFunc.nsh
!include MUI2.nsh

Name "${PRODUCT} ${VERSION}"
OutFile "${OUTFILE}"
BrandingText "${PRODUCT} ${VERSION} (${BITS}-bit)"
ShowInstDetails show
ShowUninstDetails show

!ifdef ICON
  !define MUI_ICON "${ICON}"
  !define MUI_UNICON "${ICON}"
!endif
!define MUI_FINISHPAGE_RUN "$INSTDIR\pixdeck.exe"
!define MUI_FINISHPAGE_RUN_TEXT "Start Pixdeck"

!insertmacro MUI_PAGE_DIRECTORY
!insertmacro MUI_PAGE_INSTFILES
!insertmacro MUI_PAGE_FINISH
!insertmacro MUI_UNPAGE_CONFIRM
!insertmacro MUI_UNPAGE_INSTFILES
!insertmacro MUI_LANGUAGE "English"

VIProductVersion "${VERSION}.0"
VIFileVersion "${VERSION}.0"
VIAddVersionKey /LANG=${LANG_ENGLISH} "ProductName" "${PRODUCT}"
VIAddVersionKey /LANG=${LANG_ENGLISH} "ProductVersion" "${VERSION}"
VIAddVersionKey /LANG=${LANG_ENGLISH} "FileVersion" "${VERSION}"
VIAddVersionKey /LANG=${LANG_ENGLISH} "CompanyName" "${PUBLISHER}"
VIAddVersionKey /LANG=${LANG_ENGLISH} "LegalCopyright" "2026 ${PUBLISHER}"
VIAddVersionKey /LANG=${LANG_ENGLISH} "FileDescription" "${PRODUCT} ${VERSION} installer (${BITS}-bit)"

; 1 when installing (or removing) for every user of the machine.
Var AllUsers

; Sets $0 to 1 when this process has administrator rights (an elevated
; process), else 0.
!macro IsElevated UN
  Function ${UN}IsElevated
    UserInfo::GetAccountType
    Pop $0
    ${If} $0 == "Admin"
      StrCpy $0 1
    ${Else}
      StrCpy $0 0
    ${EndIf}
  FunctionEnd
!macroend
!insertmacro IsElevated ""
!insertmacro IsElevated "un."

Function .onInit
!if ${BITS} == 64
  SetRegView 64
!endif
  ${GetParameters} $R0
  ClearErrors
  ${GetOptions} $R0 "/AllUsers" $R1
  ${IfNot} ${Errors}
    StrCpy $AllUsers 1
  ${Else}
    ClearErrors
    ${GetOptions} $R0 "/CurrentUser" $R1
    ${IfNot} ${Errors}
      StrCpy $AllUsers 0
    ${Else}
      Call IsElevated
      StrCpy $AllUsers $0
    ${EndIf}
  ${EndIf}

  ${If} $AllUsers == 1
    Call IsElevated
    ${If} $0 != 1
      MessageBox MB_OK|MB_ICONSTOP "Installing Pixdeck for all users needs administrator rights: run the installer as administrator, or without /AllUsers to install it for yourself." /SD IDOK
      SetErrorLevel 2
      Quit
    ${EndIf}
    SetShellVarContext all
    ; $INSTDIR is set already when /D= chose the folder.
    ${If} $INSTDIR == ""
!if ${BITS} == 64
      StrCpy $INSTDIR "$PROGRAMFILES64\${PRODUCT}"
!else
      StrCpy $INSTDIR "$PROGRAMFILES\${PRODUCT}"
!endif
    ${EndIf}
  ${Else}
    SetShellVarContext current
    ${If} $INSTDIR == ""
      StrCpy $INSTDIR "$LOCALAPPDATA\Programs\${PRODUCT}"
    ${EndIf}
  ${EndIf}
FunctionEnd

Section "Pixdeck"
  SetOutPath "$INSTDIR"
  ClearErrors
  File "${FILES}/pixdeck.exe"
  File "${FILES}/pixdeck-cli.exe"
  File "${FILES}/Bkcolors.txt"
  File "${FILES}/License.txt"
  File "${FILES}/ReadMe.txt"
  WriteUninstaller "$INSTDIR\${UNINSTALLER}"
  ${If} ${Errors}
    ; A file in use (Pixdeck running) or a folder that cannot be written.
    MessageBox MB_OK|MB_ICONSTOP "Pixdeck could not be installed into $INSTDIR: a file could not be written there. Close Pixdeck if it is running and try again." /SD IDOK
    SetErrorLevel 2
    Quit
  ${EndIf}

  CreateShortcut "${SHORTCUT}" "$INSTDIR\pixdeck.exe" "" "$INSTDIR\pixdeck.exe" 0 \
    SW_SHOWNORMAL "" "Turns a folder of pictures into a web page"

  ${GetSize} "$INSTDIR" "/S=0K /G=0" $R0 $R1 $R2
  WriteRegStr SHCTX "${UNINSTALL_KEY}" "DisplayName" "${PRODUCT}"
  WriteRegStr SHCTX "${UNINSTALL_KEY}" "DisplayVersion" "${VERSION}"
  WriteRegStr SHCTX "${UNINSTALL_KEY}" "Publisher" "${PUBLISHER}"
  WriteRegStr SHCTX "${UNINSTALL_KEY}" "DisplayIcon" "$INSTDIR\pixdeck.exe"
  WriteRegStr SHCTX "${UNINSTALL_KEY}" "InstallLocation" "$INSTDIR"
  WriteRegStr SHCTX "${UNINSTALL_KEY}" "UninstallString" '"$INSTDIR\${UNINSTALLER}"'
  WriteRegStr SHCTX "${UNINSTALL_KEY}" "QuietUninstallString" '"$INSTDIR\${UNINSTALLER}" /S'
  WriteRegDWORD SHCTX "${UNINSTALL_KEY}" "EstimatedSize" $R0
  WriteRegDWORD SHCTX "${UNINSTALL_KEY}" "NoModify" 1
  WriteRegDWORD SHCTX "${UNINSTALL_KEY}" "NoRepair" 1
SectionEnd

; The uninstaller works for every user when the machine-wide entry names its
; folder, else for the current user. An entry that names another folder
; belongs to another copy and is left alone, as is its shortcut.
Var Registered

Function un.onInit
!if ${BITS} == 64
  SetRegView 64
!endif
  StrCpy $AllUsers 0
  StrCpy $Registered 0
  ReadRegStr $R0 HKLM "${UNINSTALL_KEY}" "InstallLocation"
  ${If} $R0 == $INSTDIR
    StrCpy $AllUsers 1
    StrCpy $Registered 1
    Call un.IsElevated
    ${If} $0 != 1
      MessageBox MB_OK|MB_ICONSTOP "Pixdeck was installed for all users: removing it needs administrator rights. Run the uninstaller as administrator." /SD IDOK
      SetErrorLevel 2
      Quit
    ${EndIf}
    SetShellVarContext all
  ${Else}
    SetShellVarContext current
    ReadRegStr $R0 HKCU "${UNINSTALL_KEY}" "InstallLocation"
    ${If} $R0 == $INSTDIR
      StrCpy $Registered 1
    ${EndIf}
  ${EndIf}
FunctionEnd

Section "Uninstall"
  ClearErrors
  Delete "$INSTDIR\pixdeck.exe"
  Delete "$INSTDIR\pixdeck-cli.exe"
  Delete "$INSTDIR\Bkcolors.txt"
  Delete "$INSTDIR\License.txt"
  Delete "$INSTDIR\ReadMe.txt"
  ${If} ${Errors}
    MessageBox MB_OK|MB_ICONSTOP "Some of Pixdeck's files in $INSTDIR could not be removed. Close Pixdeck if it is running and try again." /SD IDOK
    SetErrorLevel 2
    Quit
  ${EndIf}
  Delete "$INSTDIR\${UNINSTALLER}"
  ; Only an empty folder goes: the settings and the user's pages stay.
  RMDir "$INSTDIR"
  ${If} $AllUsers == 0
  ${AndIf} $INSTDIR == "$LOCALAPPDATA\Programs\${PRODUCT}"
    ; The per-user programs folder, when this install was all that it held.
    RMDir "$LOCALAPPDATA\Programs"
  ${EndIf}
  ${If} $Registered == 1
    Delete "${SHORTCUT}"
    DeleteRegKey SHCTX "${UNINSTALL_KEY}"
  ${EndIf}
  ; The uninstaller runs from a copy of itself in the temporary folder, which
  ; cannot go while it runs: Windows removes it at the next start. That
  ; needs no restart now.
  Delete /REBOOTOK "$EXEPATH"
  ${If} $EXEDIR != $INSTDIR
    RMDir /REBOOTOK "$EXEDIR"
  ${EndIf}
  SetRebootFlag false
SectionEnd
