; SPDX-FileCopyrightText: 2026 The Dorvana developers
; SPDX-License-Identifier: GPL-3.0-or-later
; The Italian installer for Windows, built by tools/windows-installer, which passes VERSION, ICON, OUTFILE and
; LISTS (the folder of the generated file lists). Without administrator rights it installs for the current user
; into %LOCALAPPDATA%\Programs\Dorvana; run as administrator, for all users into Program Files.
Unicode true
Target amd64-unicode
SetCompressor /SOLID lzma
ManifestDPIAware true

!define UNINSTALL_KEY "Software\Microsoft\Windows\CurrentVersion\Uninstall\Dorvana"
!define PUBLISHER "The Dorvana developers"

Name "Dorvana"
OutFile "${OUTFILE}"
BrandingText "Dorvana ${VERSION}"

!define MULTIUSER_EXECUTIONLEVEL Highest
!define MULTIUSER_MUI
!define MULTIUSER_INSTALLMODE_COMMANDLINE
!define MULTIUSER_INSTALLMODE_INSTDIR Dorvana
!define MULTIUSER_USE_PROGRAMFILES64
; A second install goes where the first one went.
!define MULTIUSER_INSTALLMODE_DEFAULT_REGISTRY_KEY "${UNINSTALL_KEY}"
!define MULTIUSER_INSTALLMODE_DEFAULT_REGISTRY_VALUENAME InstallLocation
!define MULTIUSER_INSTALLMODE_INSTDIR_REGISTRY_KEY "${UNINSTALL_KEY}"
!define MULTIUSER_INSTALLMODE_INSTDIR_REGISTRY_VALUENAME InstallLocation
!include MultiUser.nsh
!include MUI2.nsh
!include FileFunc.nsh

!define MUI_ICON "${ICON}"
!define MUI_UNICON "${ICON}"
!define MUI_ABORTWARNING
!insertmacro MUI_PAGE_WELCOME
!insertmacro MULTIUSER_PAGE_INSTALLMODE
!insertmacro MUI_PAGE_DIRECTORY
!insertmacro MUI_PAGE_INSTFILES
!insertmacro MUI_PAGE_FINISH
!insertmacro MUI_UNPAGE_CONFIRM
!insertmacro MUI_UNPAGE_INSTFILES
!insertmacro MUI_LANGUAGE Italian

VIProductVersion "${VERSION}.0.0"
VIFileVersion "${VERSION}.0.0"
VIAddVersionKey /LANG=${LANG_ITALIAN} ProductName "Dorvana"
VIAddVersionKey /LANG=${LANG_ITALIAN} ProductVersion "${VERSION}"
VIAddVersionKey /LANG=${LANG_ITALIAN} FileVersion "${VERSION}"
VIAddVersionKey /LANG=${LANG_ITALIAN} FileDescription "Installazione di Dorvana"
VIAddVersionKey /LANG=${LANG_ITALIAN} CompanyName "${PUBLISHER}"
VIAddVersionKey /LANG=${LANG_ITALIAN} LegalCopyright "© 2026 ${PUBLISHER}, GPL-3.0-or-later"

Function .onInit
  !insertmacro MULTIUSER_INIT
FunctionEnd

Section
  !include "${LISTS}\install.nsh"
  WriteUninstaller "$INSTDIR\uninstall.exe"
  ; The link's working folder is the one last set.
  SetOutPath "$INSTDIR"
  CreateShortcut "$SMPROGRAMS\Dorvana.lnk" "$INSTDIR\dorvana.exe" "" "$INSTDIR\dorvana.exe" 0
  WriteRegStr SHCTX "${UNINSTALL_KEY}" DisplayName "Dorvana"
  WriteRegStr SHCTX "${UNINSTALL_KEY}" DisplayIcon "$INSTDIR\dorvana.exe,0"
  WriteRegStr SHCTX "${UNINSTALL_KEY}" DisplayVersion "${VERSION}"
  WriteRegStr SHCTX "${UNINSTALL_KEY}" Publisher "${PUBLISHER}"
  WriteRegStr SHCTX "${UNINSTALL_KEY}" InstallLocation "$INSTDIR"
  ; The mode is named so that the uninstaller cleans the same side of the registry and Start menu.
  WriteRegStr SHCTX "${UNINSTALL_KEY}" UninstallString '"$INSTDIR\uninstall.exe" /$MultiUser.InstallMode'
  WriteRegStr SHCTX "${UNINSTALL_KEY}" QuietUninstallString '"$INSTDIR\uninstall.exe" /$MultiUser.InstallMode /S'
  WriteRegDWORD SHCTX "${UNINSTALL_KEY}" NoModify 1
  WriteRegDWORD SHCTX "${UNINSTALL_KEY}" NoRepair 1
  ${GetSize} "$INSTDIR" "/S=0K" $0 $1 $2
  WriteRegDWORD SHCTX "${UNINSTALL_KEY}" EstimatedSize $0
SectionEnd

Function un.onInit
  ; The folder this uninstaller came from is the one it cleans, whatever the registry names.
  StrCpy $0 $INSTDIR
  !insertmacro MULTIUSER_UNINIT
  StrCpy $INSTDIR $0
FunctionEnd

; Only what the installer wrote goes: the player's records live in %APPDATA%\dorvana and stay, and a folder
; the player chose may hold other things.
Section Uninstall
  Delete "$SMPROGRAMS\Dorvana.lnk"
  !include "${LISTS}\uninstall.nsh"
  Delete "$INSTDIR\uninstall.exe"
  RMDir "$INSTDIR"
  DeleteRegKey SHCTX "${UNINSTALL_KEY}"
SectionEnd
