; The Windows installer: the program with its readme and catalog in a folder
; of the user's own, a Start-menu shortcut, and an uninstaller that Settings'
; list of apps knows.
;
; Per user, not per machine: a standard user installs it without asking an
; administrator, and the start-up entry the program writes (the user's Run
; key), the Uninstall key and the shortcut all belong to the same user, so
; the uninstaller finds and removes them.
;
; The build passes what it knows (cmake/windows_packages.cmake):
;   makensis /DVERSION=1.0.0 /DPRODUCT=Velmaric /DMAKER=... /DHOMEPAGE=...
;            /DSTAGE=<folder of velmaric.exe, velmaric.txt, catalog.txt>
;            /DICON=<velmaric.ico> /DOUTFILE=<setup.exe> velmaric.nsi

; A 64-bit installer for the 64-bit program: it runs wherever the program
; does, with the registry's and the folders' own 64-bit views.
Target amd64-unicode
SetCompressor /SOLID lzma
RequestExecutionLevel user

!include MUI2.nsh
!include LogicLib.nsh
!include FileFunc.nsh

!define UNINSTALL_KEY "Software\Microsoft\Windows\CurrentVersion\Uninstall\${PRODUCT}"
; The program's own start-up entry: a value named after its file, holding
; its full path in quotes.
!define RUN_KEY "Software\Microsoft\Windows\CurrentVersion\Run"
!define PROGRAM "velmaric.exe"
!define UNINSTALLER "uninstall.exe"

Name "${PRODUCT}"
OutFile "${OUTFILE}"
InstallDir "$LOCALAPPDATA\Programs\${PRODUCT}"
InstallDirRegKey HKCU "${UNINSTALL_KEY}" "InstallLocation"
BrandingText "${PRODUCT} ${VERSION}"

VIProductVersion "${VERSION}.0"
VIAddVersionKey "ProductName" "${PRODUCT}"
VIAddVersionKey "ProductVersion" "${VERSION}"
VIAddVersionKey "FileVersion" "${VERSION}"
VIAddVersionKey "FileDescription" "${PRODUCT} ${VERSION} Setup"
VIAddVersionKey "CompanyName" "${MAKER}"
VIAddVersionKey "LegalCopyright" "${MAKER}"

!define MUI_ICON "${ICON}"
!define MUI_UNICON "${ICON}"
!define MUI_FINISHPAGE_RUN "$INSTDIR\${PROGRAM}"
!insertmacro MUI_PAGE_DIRECTORY
!insertmacro MUI_PAGE_INSTFILES
!insertmacro MUI_PAGE_FINISH
!insertmacro MUI_UNPAGE_CONFIRM
!insertmacro MUI_UNPAGE_INSTFILES
!insertmacro MUI_LANGUAGE "English"

Function .onInit
  SetShellVarContext current
FunctionEnd

Function un.onInit
  SetShellVarContext current
FunctionEnd

Section "${PRODUCT}"
  SetOutPath "$INSTDIR"
  File "${STAGE}\${PROGRAM}"
  File "${STAGE}\velmaric.txt"
  File "${STAGE}\catalog.txt"
  WriteUninstaller "$INSTDIR\${UNINSTALLER}"

  CreateShortcut "$SMPROGRAMS\${PRODUCT}.lnk" "$INSTDIR\${PROGRAM}" "" "$INSTDIR\${PROGRAM}" 0 \
    SW_SHOWNORMAL "" "A stopwatch whose timing outlives the program"

  WriteRegStr HKCU "${UNINSTALL_KEY}" "DisplayName" "${PRODUCT}"
  WriteRegStr HKCU "${UNINSTALL_KEY}" "DisplayVersion" "${VERSION}"
  WriteRegStr HKCU "${UNINSTALL_KEY}" "Publisher" "${MAKER}"
  WriteRegStr HKCU "${UNINSTALL_KEY}" "URLInfoAbout" "${HOMEPAGE}"
  WriteRegStr HKCU "${UNINSTALL_KEY}" "DisplayIcon" "$INSTDIR\${PROGRAM},0"
  WriteRegStr HKCU "${UNINSTALL_KEY}" "InstallLocation" "$INSTDIR"
  WriteRegStr HKCU "${UNINSTALL_KEY}" "UninstallString" '"$INSTDIR\${UNINSTALLER}"'
  WriteRegStr HKCU "${UNINSTALL_KEY}" "QuietUninstallString" '"$INSTDIR\${UNINSTALLER}" /S'
  WriteRegDWORD HKCU "${UNINSTALL_KEY}" "NoModify" 1
  WriteRegDWORD HKCU "${UNINSTALL_KEY}" "NoRepair" 1
  ${GetSize} "$INSTDIR" "/S=0K" $0 $1 $2
  WriteRegDWORD HKCU "${UNINSTALL_KEY}" "EstimatedSize" $0
SectionEnd

Section "Uninstall"
  ; The start-up entry, when it starts this copy: a copy elsewhere (a
  ; portable one) keeps its own.
  ReadRegStr $0 HKCU "${RUN_KEY}" "${PROGRAM}"
  ${If} $0 == '"$INSTDIR\${PROGRAM}"'
  ${OrIf} $0 == "$INSTDIR\${PROGRAM}"
    DeleteRegValue HKCU "${RUN_KEY}" "${PROGRAM}"
  ${EndIf}

  Delete "$SMPROGRAMS\${PRODUCT}.lnk"
  Delete "$INSTDIR\${PROGRAM}"
  Delete "$INSTDIR\velmaric.txt"
  Delete "$INSTDIR\catalog.txt"
  ; The settings the program kept beside itself go with it (and the
  ; temporaries of a save cut short); settings in the user's application
  ; data folder stay for a later install. Log files the user chose to keep
  ; here stay too, and keep the folder.
  Delete "$INSTDIR\velmaric.ini"
  Delete "$INSTDIR\.velmaric.ini.*"
  Delete "$INSTDIR\${UNINSTALLER}"
  RMDir "$INSTDIR"

  DeleteRegKey HKCU "${UNINSTALL_KEY}"
SectionEnd
