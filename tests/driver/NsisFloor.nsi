; The quiet install's floor: another installer's silent install of the same
; four files (program, library and readme into a folder of its own, the
; applet into the system folder), with an uninstall entry, a product key and
; four links in an all-users Start-menu group, as Setup.exe /S makes. Built into
; build/nsis_floor.exe by scripts/benchmark with makensis; MEDIA names the
; media folder.
; 64-bit, as the tested Setup.exe is: this machine runs no 32-bit Windows code natively.
Target amd64-unicode
Name "NSIS floor"
InstallDir "$PROGRAMFILES64\NsisFloor"
RequestExecutionLevel admin

Section
    SetOutPath "$INSTDIR"
    File "/oname=VarnX.exe" "${MEDIA}/VarnX.ex_"
    File "/oname=VarnX.dll" "${MEDIA}/VarnX.dl_"
    File "/oname=Readme.txt" "${MEDIA}/Readme.txt"
    SetOutPath "$SYSDIR"
    File "/oname=NsisFloor.cpl" "${MEDIA}/VarnX.cp_"
    WriteUninstaller "$INSTDIR\uninstall.exe"
    WriteRegStr HKLM "Software\Microsoft\Windows\CurrentVersion\Uninstall\NsisFloor" "DisplayName" "NSIS floor"
    WriteRegStr HKLM "Software\Microsoft\Windows\CurrentVersion\Uninstall\NsisFloor" "UninstallString" "$\"$INSTDIR\uninstall.exe$\""
    WriteRegStr HKLM "Software\NsisFloor" "Exe-Path" "$INSTDIR\VarnX.exe"
    SetShellVarContext all
    CreateDirectory "$SMPROGRAMS\NsisFloor"
    CreateShortCut "$SMPROGRAMS\NsisFloor\Program.lnk" "$INSTDIR\VarnX.exe"
    CreateShortCut "$SMPROGRAMS\NsisFloor\Settings.lnk" "$SYSDIR\control.exe" "NsisFloor.cpl"
    CreateShortCut "$SMPROGRAMS\NsisFloor\Uninstall.lnk" "$INSTDIR\uninstall.exe"
    CreateShortCut "$SMPROGRAMS\NsisFloor\Readme.lnk" "$INSTDIR\Readme.txt"
SectionEnd

Section "Uninstall"
    Delete "$INSTDIR\VarnX.exe"
    Delete "$INSTDIR\VarnX.dll"
    Delete "$INSTDIR\Readme.txt"
    Delete "$SYSDIR\NsisFloor.cpl"
    Delete "$INSTDIR\uninstall.exe"
    RMDir "$INSTDIR"
    DeleteRegKey HKLM "Software\Microsoft\Windows\CurrentVersion\Uninstall\NsisFloor"
    DeleteRegKey HKLM "Software\NsisFloor"
    SetShellVarContext all
    RMDir /r "$SMPROGRAMS\NsisFloor"
SectionEnd
