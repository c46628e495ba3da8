; The Windows installer: the programs into Program Files, Start-menu
; entries, and an uninstaller. scripts/build-windows defines VERSION, SOURCE
; (the release folder) and OUTFILE.
; A 64-bit installer, as the programs are: it needs no 32-bit Windows layer.
Target amd64-unicode
!include "MUI2.nsh"

Name "KESTRA PTLOG"
OutFile "${OUTFILE}"
InstallDir "$PROGRAMFILES64\KESTRA PTLOG"
InstallDirRegKey HKLM "Software\KESTRA PTLOG" "InstallDir"
RequestExecutionLevel admin
SetCompressor /SOLID lzma

!define UNINSTALL_KEY "Software\Microsoft\Windows\CurrentVersion\Uninstall\KESTRA PTLOG"

!insertmacro MUI_PAGE_DIRECTORY
!insertmacro MUI_PAGE_INSTFILES
!insertmacro MUI_UNPAGE_CONFIRM
!insertmacro MUI_UNPAGE_INSTFILES
!insertmacro MUI_LANGUAGE "Japanese"

Function .onInit
  SetRegView 64
FunctionEnd

Section "KESTRA PTLOG"
  SetOutPath "$INSTDIR"
  File /r "${SOURCE}\*.*"
  WriteUninstaller "$INSTDIR\uninstall.exe"
  ; Marks the programs as installed: they keep their settings in each user's
  ; %APPDATA%, also when run as administrator, never beside themselves.
  FileOpen $0 "$INSTDIR\kestra-ptlog.installed" w
  FileWrite $0 "Installed by the KESTRA PTLOG installer.$\r$\n"
  FileClose $0
  WriteRegStr HKLM "Software\KESTRA PTLOG" "InstallDir" "$INSTDIR"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "DisplayName" "KESTRA PTLOG"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "DisplayVersion" "${VERSION}"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "Publisher" "KESTRA PTLOG"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "DisplayIcon" "$INSTDIR\kestra-ptlog.exe"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "UninstallString" '"$INSTDIR\uninstall.exe"'
  WriteRegDWORD HKLM "${UNINSTALL_KEY}" "NoModify" 1
  WriteRegDWORD HKLM "${UNINSTALL_KEY}" "NoRepair" 1
  SetShellVarContext all
  CreateDirectory "$SMPROGRAMS\KESTRA PTLOG"
  CreateShortcut "$SMPROGRAMS\KESTRA PTLOG\KESTRA PTLOG 配管試験データ.lnk" "$INSTDIR\kestra-ptlog.exe"
  CreateShortcut "$SMPROGRAMS\KESTRA PTLOG\KESTRA PTLOGINI 設定ファイルメンテナンス.lnk" "$INSTDIR\kestra-ptlogini.exe"
  CreateShortcut "$SMPROGRAMS\KESTRA PTLOG\KESTRA PTLOG 記録一覧.lnk" "$INSTDIR\kestra-ptlog-records.exe"
  CreateShortcut "$SMPROGRAMS\KESTRA PTLOG\アンインストール.lnk" "$INSTDIR\uninstall.exe"
SectionEnd

Section "Uninstall"
  SetRegView 64
  SetShellVarContext all
  RMDir /r "$SMPROGRAMS\KESTRA PTLOG"
  ; The files installed, and nothing else: settings and records stay. A
  ; settings file beside the programs was written by a run before they were
  ; marked as installed; the folder goes, so it goes too.
  Delete "$INSTDIR\kestra-ptlog.exe"
  Delete "$INSTDIR\kestra-ptlogini.exe"
  Delete "$INSTDIR\kestra-ptlog-records.exe"
  Delete "$INSTDIR\kestra-ptlog-report.exe"
  Delete "$INSTDIR\KESTRA PTLOG.ini"
  Delete "$INSTDIR\SaveJPG.dll"
  Delete "$INSTDIR\Qt6*.dll"
  Delete "$INSTDIR\lib*.dll"
  Delete "$INSTDIR\qt.conf"
  Delete "$INSTDIR\Work.bmp"
  RMDir /r "$INSTDIR\platforms"
  RMDir /r "$INSTDIR\styles"
  RMDir /r "$INSTDIR\translations"
  RMDir /r "$INSTDIR\fonts"
  Delete "$INSTDIR\kestra-ptlog.installed"
  Delete "$INSTDIR\uninstall.exe"
  RMDir "$INSTDIR"
  DeleteRegKey HKLM "${UNINSTALL_KEY}"
  DeleteRegKey HKLM "Software\KESTRA PTLOG"
  ; The uninstaller runs as a copy of itself in %TEMP%, which it cannot remove
  ; while it runs: a hidden command prompt removes that folder once it has ended.
  SetOutPath "$TEMP"
  StrCmp "$EXEDIR" "$INSTDIR" +2 0
    ExecShell "" "$SYSDIR\cmd.exe" '/c ping -n 3 127.0.0.1 >nul & rmdir /s /q "$EXEDIR"' SW_HIDE
SectionEnd
