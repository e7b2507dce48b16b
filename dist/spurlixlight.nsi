; The Windows installer of SpurlixLight: one setup program that installs it
; for the current user, without administrator rights, into
; %LOCALAPPDATA%\Programs\SpurlixLight, with a Start-menu entry and an
; uninstaller that Windows lists under its installed programs. Silent with /S.
;
; Built by dist/CMakeLists.txt (make installer), which passes:
;   VERSION       the version as the program shows it (1.2.3)
;   FILE_VERSION  the same as four numbers for the version block (1.2.0.3)
;   PROGRAM64     the 64-bit spurlixlight.exe   PROGRAM32  the 32-bit one
;   ICON          the program's icon            OUTFILE    the setup
;
; One setup for every Windows: its 32-bit stub runs on 32-bit and 64-bit
; Windows alike (XP SP3 and later) and installs the 64-bit program where
; Windows is 64-bit, the 32-bit one elsewhere. Both use the same folder, the
; same uninstall key and the same history: all of it is under the user's
; profile and HKEY_CURRENT_USER\Software, which 64-bit Windows shows alike
; to 32-bit and 64-bit programs (no WOW6432Node there).

Unicode true
Target x86-unicode
SetCompressor /SOLID lzma
RequestExecutionLevel user
ManifestDPIAware true

!include MUI2.nsh
!include FileFunc.nsh
!include LogicLib.nsh
!include x64.nsh

!define PRODUCT "Spurlix light für ACT!"
!define PUBLISHER "Hellwig & Sander Datentechnik GmbH"  ; as in info/vendor.h
!define UNINSTALL_KEY "Software\Microsoft\Windows\CurrentVersion\Uninstall\SpurlixLight"
!define SHORTCUT "$SMPROGRAMS\${PRODUCT}.lnk"

Name "${PRODUCT} ${VERSION}"
OutFile "${OUTFILE}"
!searchreplace BRANDING "${PUBLISHER}" "&" "&&"  ; a single & would underline the next letter
BrandingText "${BRANDING}"
; Per user: the folder Windows keeps for programs of one user. An installed
; copy is replaced where it is, also when /D= put it elsewhere.
InstallDir "$LOCALAPPDATA\Programs\SpurlixLight"
InstallDirRegKey HKCU "${UNINSTALL_KEY}" "InstallLocation"

!define MUI_ICON "${ICON}"
!define MUI_UNICON "${ICON}"
!define MUI_ABORTWARNING
!define MUI_WELCOMEPAGE_TEXT "Dieser Assistent installiert $(^NameDA) für Ihr Benutzerkonto; \
  Administratorrechte sind dafür nicht nötig. Eine installierte ältere Version wird ersetzt, \
  Ihre letzten Suchbegriffe bleiben erhalten.$\r$\n$\r$\n$_CLICK"
!define MUI_FINISHPAGE_TEXT "$(^NameDA) wurde installiert.$\r$\n$\r$\n\
  Sie finden es im Startmenü unter »${PRODUCT}«. \
  Starten Sie es, während ACT! läuft und seine Kontaktansicht zeigt."
!insertmacro MUI_PAGE_WELCOME
!insertmacro MUI_PAGE_INSTFILES
!insertmacro MUI_PAGE_FINISH
!insertmacro MUI_UNPAGE_CONFIRM
!insertmacro MUI_UNPAGE_INSTFILES
!insertmacro MUI_LANGUAGE "German"

; The setup's own version block, in German like the program's.
VIProductVersion "${FILE_VERSION}"
VIFileVersion "${FILE_VERSION}"
VIAddVersionKey /LANG=${LANG_GERMAN} "ProductName" "${PRODUCT}"
VIAddVersionKey /LANG=${LANG_GERMAN} "ProductVersion" "${VERSION}"
VIAddVersionKey /LANG=${LANG_GERMAN} "FileVersion" "${FILE_VERSION}"
VIAddVersionKey /LANG=${LANG_GERMAN} "FileDescription" "Installation von ${PRODUCT} ${VERSION}"
VIAddVersionKey /LANG=${LANG_GERMAN} "CompanyName" "${PUBLISHER}"
VIAddVersionKey /LANG=${LANG_GERMAN} "LegalCopyright" "© 1999–2001 ${PUBLISHER}"

Section
  SetShellVarContext current
  SetOutPath "$INSTDIR"
  ; Over an installed copy the files are replaced; the history in the
  ; registry is the user's and is left as it is.
  ${If} ${RunningX64}
    File "/oname=spurlixlight.exe" "${PROGRAM64}"
  ${Else}
    File "/oname=spurlixlight.exe" "${PROGRAM32}"
  ${EndIf}
  WriteUninstaller "$INSTDIR\uninstall.exe"
  CreateShortcut "${SHORTCUT}" "$INSTDIR\spurlixlight.exe"

  WriteRegStr HKCU "${UNINSTALL_KEY}" "DisplayName" "${PRODUCT}"
  WriteRegStr HKCU "${UNINSTALL_KEY}" "DisplayVersion" "${VERSION}"
  WriteRegStr HKCU "${UNINSTALL_KEY}" "Publisher" "${PUBLISHER}"
  WriteRegStr HKCU "${UNINSTALL_KEY}" "DisplayIcon" "$INSTDIR\spurlixlight.exe,0"
  WriteRegStr HKCU "${UNINSTALL_KEY}" "InstallLocation" "$INSTDIR"
  WriteRegStr HKCU "${UNINSTALL_KEY}" "UninstallString" '"$INSTDIR\uninstall.exe"'
  WriteRegStr HKCU "${UNINSTALL_KEY}" "QuietUninstallString" '"$INSTDIR\uninstall.exe" /S'
  WriteRegDWORD HKCU "${UNINSTALL_KEY}" "NoModify" 1
  WriteRegDWORD HKCU "${UNINSTALL_KEY}" "NoRepair" 1
  ${GetSize} "$INSTDIR" "/S=0K" $0 $1 $2
  WriteRegDWORD HKCU "${UNINSTALL_KEY}" "EstimatedSize" $0  ; in KB
SectionEnd

; Removes what the installer put there, and only that: the folder goes only
; when nothing else is left in it. The search history (under
; HKCU\Software\VB and VBA Program Settings\Spurlix light) is the user's data
; and stays, as do the web links the program placed into ACT!'s folder.
Section "Uninstall"
  SetShellVarContext current
  Delete "$INSTDIR\spurlixlight.exe"
  Delete "$INSTDIR\uninstall.exe"
  RMDir "$INSTDIR"
  Delete "${SHORTCUT}"
  DeleteRegKey HKCU "${UNINSTALL_KEY}"
SectionEnd
