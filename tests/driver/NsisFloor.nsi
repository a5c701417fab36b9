; The quiet install's floor: another installer's silent install of the same
; four files (program, library and readme into a folder of its own, the
; applet into the system folder) with an uninstall entry. Built into
; build/nsis_floor.exe by scripts/benchmark with makensis; MEDIA names the
; media folder.
Unicode true
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
SectionEnd

Section "Uninstall"
    Delete "$INSTDIR\VarnX.exe"
    Delete "$INSTDIR\VarnX.dll"
    Delete "$INSTDIR\Readme.txt"
    Delete "$SYSDIR\NsisFloor.cpl"
    Delete "$INSTDIR\uninstall.exe"
    RMDir "$INSTDIR"
    DeleteRegKey HKLM "Software\Microsoft\Windows\CurrentVersion\Uninstall\NsisFloor"
SectionEnd
