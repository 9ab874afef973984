; The Windows installer: both programs, Reference.txt, README and LICENSE for the current user
; (no administrator rights), a Start-menu entry and an uninstaller.
; makensis -DVERSION=... -DSTAGE=<folder of the files> -DOUTFILE=<setup.exe> tallyforge.nsi
; A 64-bit installer, as the programs are (and Wine runs 64-bit programs only here).
Target amd64-unicode
SetCompressor /SOLID lzma
RequestExecutionLevel user

Name "Tallyforge ${VERSION}"
OutFile "${OUTFILE}"
; The programs read Reference.txt from and write their files to the folder they start in; the
; Start-menu entry starts the window in its own folder, which must be the user's to write in.
InstallDir "$LOCALAPPDATA\Programs\Tallyforge"
InstallDirRegKey HKCU "Software\Tallyforge" "InstallDir"
ShowInstDetails show
ShowUninstDetails show

VIProductVersion "${VERSION}"
VIAddVersionKey /LANG=1040 "ProductName" "Tallyforge"
VIAddVersionKey /LANG=1040 "FileDescription" "Tallyforge: installazione"
VIAddVersionKey /LANG=1040 "FileVersion" "${VERSION}"
VIAddVersionKey /LANG=1040 "ProductVersion" "${VERSION}"
VIAddVersionKey /LANG=1040 "LegalCopyright" "MIT License"

!define UNINSTALL_KEY "Software\Microsoft\Windows\CurrentVersion\Uninstall\Tallyforge"

Page directory
Page instfiles
UninstPage uninstConfirm
UninstPage instfiles

Section "Tallyforge"
  SetOutPath "$INSTDIR"
  File "${STAGE}/tallyforge.exe"
  File "${STAGE}/tallyforge-cli.exe"
  File "${STAGE}/Reference.txt"
  File "${STAGE}/README.md"
  File "${STAGE}/LICENSE.txt"
  WriteUninstaller "$INSTDIR\Uninstall.exe"
  ; The shortcut's working folder is the output path: the install folder.
  CreateShortCut "$SMPROGRAMS\Tallyforge.lnk" "$INSTDIR\tallyforge.exe" "" "$INSTDIR\tallyforge.exe" 0
  WriteRegStr HKCU "Software\Tallyforge" "InstallDir" "$INSTDIR"
  WriteRegStr HKCU "${UNINSTALL_KEY}" "DisplayName" "Tallyforge"
  WriteRegStr HKCU "${UNINSTALL_KEY}" "DisplayVersion" "${VERSION}"
  WriteRegStr HKCU "${UNINSTALL_KEY}" "DisplayIcon" "$INSTDIR\tallyforge.exe,0"
  WriteRegStr HKCU "${UNINSTALL_KEY}" "InstallLocation" "$INSTDIR"
  WriteRegStr HKCU "${UNINSTALL_KEY}" "UninstallString" '"$INSTDIR\Uninstall.exe"'
  WriteRegStr HKCU "${UNINSTALL_KEY}" "QuietUninstallString" '"$INSTDIR\Uninstall.exe" /S'
  WriteRegDWORD HKCU "${UNINSTALL_KEY}" "NoModify" 1
  WriteRegDWORD HKCU "${UNINSTALL_KEY}" "NoRepair" 1
SectionEnd

Section "Uninstall"
  Delete "$SMPROGRAMS\Tallyforge.lnk"
  Delete "$INSTDIR\tallyforge.exe"
  Delete "$INSTDIR\tallyforge-cli.exe"
  Delete "$INSTDIR\Reference.txt"
  Delete "$INSTDIR\README.md"
  Delete "$INSTDIR\LICENSE.txt"
  Delete "$INSTDIR\Uninstall.exe"
  ; The runs' output files are the user's: the folder stays if any are left.
  RMDir "$INSTDIR"
  DeleteRegKey HKCU "${UNINSTALL_KEY}"
  DeleteRegKey HKCU "Software\Tallyforge"
SectionEnd
