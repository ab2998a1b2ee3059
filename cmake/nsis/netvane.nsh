; Pieces of the Windows installer that CPack's NSIS template leaves to us. This file is included
; at the top of the template's script (NV_REGISTRY_KEY defined before it), so that its section,
; which closes a running monitor, comes before the one that puts the files in place; the
; template's hooks insert the rest (packaging.cmake):
; - a running monitor is asked to close before its files are replaced or removed, and started
;   again after an upgrade; one that cannot be closed stops the installer, which has then changed
;   nothing (exit code 2 with /S);
; - the log-on start (the Run value), which an upgrade keeps as the user left it;
; - the Add/Remove Programs values the template does not write.
!include LogicLib.nsh
!include WinMessages.nsh
!include WinVer.nsh
!include FileFunc.nsh

; The hidden frame of a running monitor, by its class and title.
!define NV_FRAME_CLASS "NetvaneWlanMonitorFrame"
!define NV_FRAME_TITLE "Netvane Wireless LAN Monitor"
!define NV_RUN_KEY "Software\Microsoft\Windows\CurrentVersion\Run"
!define NV_RUN_VALUE "Netvane WLAN Monitor"
!define NV_UNINSTALL_KEY "Software\Microsoft\Windows\CurrentVersion\Uninstall\${NV_REGISTRY_KEY}"
!define NV_CLOSE_DEADLINE_MS 10000  ; how long a monitor asked to close is given to end
!define /math NV_CLOSE_DEADLINE_TENTHS ${NV_CLOSE_DEADLINE_MS} / 100
!define NV_SEND_TIMEOUT_MS 2000
!define NV_SYNCHRONIZE 0x00100000

Var NvMonitorWasRunning  ; 1 once this installer has closed a running monitor
Var NvRunChoiceKept      ; 1 once the log-on tick box follows the installed program's Run value

; An upgrade goes where the program is installed, unless /D (or the user) says otherwise.
InstallDirRegKey HKLM "${NV_UNINSTALL_KEY}" "InstallLocation"

; On an upgrade the log-on tick box starts as the installed program has it (NvKeepRunChoice).
!define MUI_CUSTOMFUNCTION_GUIINIT NvKeepRunChoice

; 1 in $1 when ${file} in $INSTDIR\bin exists and cannot be opened to write: a program runs
; from it.
!macro NvCheckInUse file
  ${If} $1 == ""
  ${AndIf} ${FileExists} "$INSTDIR\bin\${file}"
    ClearErrors
    FileOpen $0 "$INSTDIR\bin\${file}" a
    ${If} ${Errors}
      StrCpy $1 "$INSTDIR\bin\${file}"
    ${Else}
      FileClose $0
    ${EndIf}
  ${EndIf}
!macroend

; Functions of both the installer and the uninstaller: ${un} is "" or "un.".
!macro NvMonitorFunctions un
  ; Asks a running monitor to close and waits, up to the deadline, for its process to end.
  Function ${un}NvEndMonitor
    Push $0
    Push $1
    Push $2
    FindWindow $0 "${NV_FRAME_CLASS}" "${NV_FRAME_TITLE}"
    ${If} $0 <> 0
      StrCpy $NvMonitorWasRunning 1
      DetailPrint "Closing the running monitor"
      System::Call 'user32::GetWindowThreadProcessId(p r0, *i .r1)'
      System::Call 'kernel32::OpenProcess(i ${NV_SYNCHRONIZE}, i 0, i r1) p .r2'
      SendMessage $0 ${WM_CLOSE} 0 0 /TIMEOUT=${NV_SEND_TIMEOUT_MS}
      ${If} $2 <> 0
        System::Call 'kernel32::WaitForSingleObject(p r2, i ${NV_CLOSE_DEADLINE_MS})'
        System::Call 'kernel32::CloseHandle(p r2)'
      ${Else}
        ; A process that cannot be waited on: its frame's going is taken for its end.
        ${For} $2 1 ${NV_CLOSE_DEADLINE_TENTHS}
          FindWindow $0 "${NV_FRAME_CLASS}" "${NV_FRAME_TITLE}"
          ${IfThen} $0 = 0 ${|} ${ExitFor} ${|}
          Sleep 100
        ${Next}
      ${EndIf}
    ${EndIf}
    Pop $2
    Pop $1
    Pop $0
  FunctionEnd

  ; What still stops the programs from being replaced or removed, on the stack: "" when
  ; nothing does, else the first program in $INSTDIR\bin that runs (a monitor that did not
  ; close, another user's monitor, a wlanctl) or, when the monitor runs from elsewhere, its
  ; frame's title.
  Function ${un}NvInUse
    Push $0
    Push $1
    StrCpy $1 ""
    !insertmacro NvCheckInUse wlanmon.exe
    !insertmacro NvCheckInUse wlanctl.exe
    FindWindow $0 "${NV_FRAME_CLASS}" "${NV_FRAME_TITLE}"
    ${If} $1 == ""
    ${AndIf} $0 <> 0
      StrCpy $1 "${NV_FRAME_TITLE}"
    ${EndIf}
    Pop $0
    Exch $1
  FunctionEnd
!macroend
!insertmacro NvMonitorFunctions ""
!insertmacro NvMonitorFunctions "un."

; The monitor this closed runs again (after an upgrade, or when the work was stopped), unless
; one runs already, as the user who is logged on: on Windows Vista and later, where the
; installer runs elevated, the shell (explorer) starts it; before, the installer does. Neither
; is waited for.
!macro NvStartMonitorAgain
  Push $0
  FindWindow $0 "${NV_FRAME_CLASS}" "${NV_FRAME_TITLE}"
  ${If} $NvMonitorWasRunning == 1
  ${AndIf} $0 = 0
    SetOutPath "$INSTDIR\bin"
    DetailPrint "Starting the monitor again"
    ${If} ${AtLeastWinVista}
      Exec '"$WINDIR\explorer.exe" "$INSTDIR\bin\wlanmon.exe"'
    ${Else}
      Exec '"$INSTDIR\bin\wlanmon.exe"'
    ${EndIf}
  ${EndIf}
  Pop $0
!macroend

; Closes a running monitor and makes sure nothing runs from the programs' files; when something
; still does, the user is told and may try again; otherwise the installer (or uninstaller)
; stops before it has changed anything. ${un} is "" or "un.", ${what} the word for the work.
!macro NvCloseMonitor un what
  Push $0
  ${Do}
    Call ${un}NvEndMonitor
    Call ${un}NvInUse
    Pop $0
    ${IfThen} $0 == "" ${|} ${Break} ${|}
    DetailPrint "Still running: $0"
    ${IfNot} ${Cmd} `MessageBox MB_RETRYCANCEL|MB_ICONSTOP "$0 is still running and could not be closed. Exit the Netvane Wireless LAN Monitor from its icon's menu (and any wlanctl), then choose Retry.$\n$\nCancel stops the ${what}; nothing has been changed." /SD IDCANCEL IDRETRY`
      !insertmacro NvStartMonitorAgain  ; the one this closed, when nothing runs in its place
      Abort "The ${what} was stopped: $0 is still running."
    ${EndIf}
  ${Loop}
  Pop $0
!macroend

; The first section of all: a running monitor is closed before any file is replaced, and in
; silent use the log-on start is kept as the installed program has it.
Section "-Close the running monitor"
  ${IfThen} ${Silent} ${|} Call NvKeepRunChoice ${|}
  !insertmacro NvCloseMonitor "" "installation"
SectionEnd

; The Run value in the 32-bit view of the registry, which 64-bit Windows also starts from.
!macro NvWriteRunValue
  WriteRegStr HKLM "${NV_RUN_KEY}" "${NV_RUN_VALUE}" '"$INSTDIR\bin\wlanmon.exe"'
!macroend

; What Add/Remove Programs shows beside the template's name, version, publisher and icon. The
; size is that of what was installed (the folder may hold more).
!macro NvWriteUninstallValues
  Push $0
  Push $1
  Push $2
  Push $3
  WriteRegStr SHCTX "${NV_UNINSTALL_KEY}" "QuietUninstallString" '"$INSTDIR\Uninstall.exe" /S'
  WriteRegStr SHCTX "${NV_UNINSTALL_KEY}" "InstallLocation" "$INSTDIR"
  WriteRegDWORD SHCTX "${NV_UNINSTALL_KEY}" "NoModify" 1  ; the template's are text
  WriteRegDWORD SHCTX "${NV_UNINSTALL_KEY}" "NoRepair" 1
  ${GetSize} "$INSTDIR\bin" "/S=0K" $0 $1 $2
  ${GetSize} "$INSTDIR" "/M=Uninstall.exe /S=0K /G=0" $3 $1 $2
  IntOp $0 $0 + $3
  WriteRegDWORD SHCTX "${NV_UNINSTALL_KEY}" "EstimatedSize" $0
  Pop $3
  Pop $2
  Pop $1
  Pop $0
!macroend

; The end of the template's last install section (its hook): the Add/Remove Programs values,
; then the log-on section (a tick box), the function that ticks it as the installed program has
; it (after the section, whose index it needs), and the section that starts a closed monitor
; again, which the template's own SectionEnd closes.
!macro NvInstallEnd
    !insertmacro NvWriteUninstallValues
  SectionEnd

  Section "Start the monitor at log-on" NvAutostart
    !insertmacro NvWriteRunValue
  SectionEnd

  ; On an upgrade the log-on section is ticked only when the installed program starts at
  ; log-on. Once: a later call leaves the user's tick alone.
  Function NvKeepRunChoice
    ${IfThen} $NvRunChoiceKept == 1 ${|} Return ${|}
    StrCpy $NvRunChoiceKept 1
    Push $0
    ClearErrors
    ReadRegStr $0 HKLM "${NV_UNINSTALL_KEY}" "UninstallString"
    ${IfNot} ${Errors}
      ReadRegStr $0 HKLM "${NV_RUN_KEY}" "${NV_RUN_VALUE}"
      ${If} ${Errors}
        !insertmacro UnselectSection ${NvAutostart}
      ${EndIf}
    ${EndIf}
    Pop $0
  FunctionEnd

  Section "-Start the monitor again"
    !insertmacro NvStartMonitorAgain
!macroend

; The start of the uninstall section (the template's hook), before any file is removed.
!macro NvUninstallStart
  !insertmacro NvCloseMonitor "un." "removal"
  DeleteRegValue HKLM "${NV_RUN_KEY}" "${NV_RUN_VALUE}"
!macroend
