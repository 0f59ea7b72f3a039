; The Windows installer kalvero-<version>-setup.exe, made by scripts/package-windows.sh with
;   makensis -DVERSION=... -DPROGRAMS=<folder of the two programs and documentation.pdf>
;            -DICON=<logo.ico> -DSIDE_PICTURE=<164 x 314 bitmap> -DHEADER_PICTURE=<150 x 57 bitmap>
;            -DLICENCE=<copyright file> -DOUTFILE=<installer> kalvero.nsi
; It installs for all users (Program Files\Kalvero, keys under HKLM) or for the current user
; (%LOCALAPPDATA%\Programs\Kalvero, keys under HKCU): the /AllUsers and /CurrentUser switches, or
; the page that asks. The uninstaller removes what was installed and never the user's settings in
; %APPDATA%\Vandrel\Kalvero.

Unicode true
; The 64-bit stub: the programs are 64-bit, and so are Program Files and the registry view it uses.
Target amd64-unicode
SetCompressor /SOLID lzma
ManifestDPIAware true

!define PRODUCT "Kalvero"
!define PUBLISHER "Vandrel Softwareentwicklung"
!define WINDOW_PROGRAM "kalvero-window.exe"
!define UNINSTALL_KEY "Software\Microsoft\Windows\CurrentVersion\Uninstall\${PRODUCT}"

Name "${PRODUCT}"
OutFile "${OUTFILE}"
BrandingText "${PRODUCT} ${VERSION}"

!define MULTIUSER_EXECUTIONLEVEL Highest
!define MULTIUSER_MUI
!define MULTIUSER_INSTALLMODE_COMMANDLINE
!define MULTIUSER_USE_PROGRAMFILES64
!define MULTIUSER_INSTALLMODE_INSTDIR "${PRODUCT}"
; The uninstaller finds the mode of the installation from the hive that holds its key.
!define MULTIUSER_INSTALLMODE_DEFAULT_REGISTRY_KEY "${UNINSTALL_KEY}"
!define MULTIUSER_INSTALLMODE_DEFAULT_REGISTRY_VALUENAME "InstallLocation"
!define MULTIUSER_INSTALLMODE_INSTDIR_REGISTRY_KEY "${UNINSTALL_KEY}"
!define MULTIUSER_INSTALLMODE_INSTDIR_REGISTRY_VALUENAME "InstallLocation"
!include LogicLib.nsh
!include MultiUser.nsh
!include MUI2.nsh
!include FileFunc.nsh

!define MUI_ICON "${ICON}"
!define MUI_UNICON "${ICON}"
!define MUI_WELCOMEFINISHPAGE_BITMAP "${SIDE_PICTURE}"
!define MUI_UNWELCOMEFINISHPAGE_BITMAP "${SIDE_PICTURE}"
!define MUI_HEADERIMAGE
!define MUI_HEADERIMAGE_RIGHT
!define MUI_HEADERIMAGE_BITMAP "${HEADER_PICTURE}"
!define MUI_HEADERIMAGE_UNBITMAP "${HEADER_PICTURE}"
!define MUI_HEADERIMAGE_BITMAP_STRETCH AspectFitHeight
!define MUI_HEADERIMAGE_UNBITMAP_STRETCH AspectFitHeight
!define MUI_ABORTWARNING
; The installer runs with an administrator's rights; Kalvero, started from the last page, should
; run with the user's own, so the shell of the desktop starts it.
!define MUI_FINISHPAGE_RUN
!define MUI_FINISHPAGE_RUN_FUNCTION StartKalvero

!insertmacro MUI_PAGE_WELCOME
!insertmacro MUI_PAGE_LICENSE "${LICENCE}"
!insertmacro MULTIUSER_PAGE_INSTALLMODE
!insertmacro MUI_PAGE_DIRECTORY
!insertmacro MUI_PAGE_INSTFILES
!insertmacro MUI_PAGE_FINISH

!insertmacro MUI_UNPAGE_CONFIRM
!insertmacro MUI_UNPAGE_INSTFILES

; The first language is the one used when the system's language is neither.
!insertmacro MUI_LANGUAGE "English"
!insertmacro MUI_LANGUAGE "German"

VIProductVersion "${VERSION}.0.0"
VIAddVersionKey /LANG=${LANG_ENGLISH} "ProductName" "${PRODUCT}"
VIAddVersionKey /LANG=${LANG_ENGLISH} "CompanyName" "${PUBLISHER}"
VIAddVersionKey /LANG=${LANG_ENGLISH} "FileDescription" "${PRODUCT} setup"
VIAddVersionKey /LANG=${LANG_ENGLISH} "FileVersion" "${VERSION}"
VIAddVersionKey /LANG=${LANG_ENGLISH} "ProductVersion" "${VERSION}"
VIAddVersionKey /LANG=${LANG_ENGLISH} "LegalCopyright" "${PUBLISHER}"

; A folder given with /D= on the command line comes before the install mode's default folder.
Function .onInit
  StrCpy $0 $INSTDIR
  !insertmacro MULTIUSER_INIT
  ${If} $0 != ""
    StrCpy $INSTDIR $0
  ${EndIf}
FunctionEnd

Function StartKalvero
  Exec '"$WINDIR\explorer.exe" "$INSTDIR\${WINDOW_PROGRAM}"'
FunctionEnd

LangString NEEDS_ADMINISTRATOR ${LANG_ENGLISH} \
  "$(^Name) was installed for all users; only an administrator can remove it."
LangString NEEDS_ADMINISTRATOR ${LANG_GERMAN} \
  "$(^Name) wurde für alle Benutzer installiert; nur ein Administrator kann es entfernen."

LangString KALVERO_RUNNING ${LANG_ENGLISH} \
  "$(^Name) is still running. Close every window and command of $(^Name), then try again."
LangString KALVERO_RUNNING ${LANG_GERMAN} \
  "$(^Name) läuft noch. Schließen Sie alle Fenster und Befehle von $(^Name) und versuchen Sie es erneut."

; The folder the uninstaller lies in, and whether an uninstall key of either mode names it.
Var Installation
Var Registered

; An uninstaller takes back the installation it belongs to, whatever the switches or the keys of
; another installation say: the mode whose key names its own folder, else only its own files.
Function un.onInit
  StrCpy $Installation $INSTDIR
  !insertmacro MULTIUSER_UNINIT
  StrCpy $Registered 0
  ReadRegStr $0 SHCTX "${UNINSTALL_KEY}" "InstallLocation"
  ${If} $0 == $Installation
    StrCpy $Registered 1
  ${Else}
    ${If} $MultiUser.InstallMode == AllUsers
      Call un.MultiUser.InstallMode.CurrentUser
    ${Else}
      Call un.MultiUser.InstallMode.AllUsers
    ${EndIf}
    ReadRegStr $0 SHCTX "${UNINSTALL_KEY}" "InstallLocation"
    ${If} $0 == $Installation
      StrCpy $Registered 1
    ${EndIf}
  ${EndIf}
  StrCpy $INSTDIR $Installation
  ${If} $Registered == 1
  ${AndIf} $MultiUser.InstallMode == AllUsers
  ${AndIf} $MultiUser.Privileges != Admin
  ${AndIf} $MultiUser.Privileges != Power
    MessageBox MB_OK|MB_ICONSTOP "$(NEEDS_ADMINISTRATOR)" /SD IDOK
    Quit
  ${EndIf}
FunctionEnd

Section "${PRODUCT}"
  SectionIn RO
  SetOutPath "$INSTDIR"
  File "${PROGRAMS}\${WINDOW_PROGRAM}"
  File "${PROGRAMS}\kalvero.exe"
  File "${PROGRAMS}\documentation.pdf"
  WriteUninstaller "$INSTDIR\uninstall.exe"

  ; SetShellVarContext, set by the install mode, makes this the menu of all users or of this one.
  CreateShortcut "$SMPROGRAMS\${PRODUCT}.lnk" "$INSTDIR\${WINDOW_PROGRAM}" "" "$INSTDIR\${WINDOW_PROGRAM}" 0

  ${GetSize} "$INSTDIR" "/S=0K" $0 $1 $2
  WriteRegStr SHCTX "${UNINSTALL_KEY}" "DisplayName" "${PRODUCT}"
  WriteRegStr SHCTX "${UNINSTALL_KEY}" "DisplayVersion" "${VERSION}"
  WriteRegStr SHCTX "${UNINSTALL_KEY}" "Publisher" "${PUBLISHER}"
  WriteRegStr SHCTX "${UNINSTALL_KEY}" "DisplayIcon" "$INSTDIR\${WINDOW_PROGRAM},0"
  WriteRegStr SHCTX "${UNINSTALL_KEY}" "InstallLocation" "$INSTDIR"
  WriteRegStr SHCTX "${UNINSTALL_KEY}" "UninstallString" '"$INSTDIR\uninstall.exe" /$MultiUser.InstallMode'
  WriteRegStr SHCTX "${UNINSTALL_KEY}" "QuietUninstallString" '"$INSTDIR\uninstall.exe" /$MultiUser.InstallMode /S'
  WriteRegDWORD SHCTX "${UNINSTALL_KEY}" "EstimatedSize" "$0"
  WriteRegDWORD SHCTX "${UNINSTALL_KEY}" "NoModify" 1
  WriteRegDWORD SHCTX "${UNINSTALL_KEY}" "NoRepair" 1
SectionEnd

; Removes a program, asking the user to close it while it runs; ends the uninstaller when the user
; cancels. Windows cannot remove a running program.
!macro RemoveProgram FILE
  ${Do}
    ClearErrors
    Delete "${FILE}"
    ${IfNot} ${Errors}
      ${Break}
    ${EndIf}
    ${IfNot} ${Cmd} `MessageBox MB_RETRYCANCEL|MB_ICONEXCLAMATION "$(KALVERO_RUNNING)" /SD IDCANCEL IDRETRY`
      SetErrorLevel 2
      Abort
    ${EndIf}
  ${Loop}
!macroend

; Only what the installer put there goes: a file the user added keeps the folder. The programs go
; first, the window program before the command line, so a running Kalvero stops the uninstaller
; before it removed anything else, and the key stays until the programs are gone. The shortcut and
; the key go only with the installation they name.
Section "Uninstall"
  !insertmacro RemoveProgram "$INSTDIR\${WINDOW_PROGRAM}"
  !insertmacro RemoveProgram "$INSTDIR\kalvero.exe"
  Delete "$INSTDIR\documentation.pdf"
  Delete "$INSTDIR\uninstall.exe"
  RMDir "$INSTDIR"
  ${If} $Registered == 1
    Delete "$SMPROGRAMS\${PRODUCT}.lnk"
    DeleteRegKey SHCTX "${UNINSTALL_KEY}"
  ${EndIf}
SectionEnd
