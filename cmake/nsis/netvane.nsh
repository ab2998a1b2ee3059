; Pieces of the Windows installer that CPack's NSIS template leaves to us: closing a running
; monitor before its files are replaced or removed, and the log-on start (the Run value).
!include LogicLib.nsh
!include WinMessages.nsh

!define NV_FRAME_TITLE "Netvane Wireless LAN Monitor"
!define NV_RUN_KEY "Software\Microsoft\Windows\CurrentVersion\Run"
!define NV_RUN_VALUE "Netvane WLAN Monitor"

; The running monitor is found by its hidden frame's title and asked to close; it is given up to
; five seconds to end.
!macro NvCloseMonitor
  Push $0
  Push $1
  FindWindow $0 "" "${NV_FRAME_TITLE}"
  ${If} $0 <> 0
    DetailPrint "Closing the running monitor"
    SendMessage $0 ${WM_CLOSE} 0 0 /TIMEOUT=2000
    ${For} $1 1 50
      FindWindow $0 "" "${NV_FRAME_TITLE}"
      ${If} $0 = 0
        ${ExitFor}
      ${EndIf}
      Sleep 100
    ${Next}
    Sleep 500  ; the process lets go of its files after the window has gone
  ${EndIf}
  Pop $1
  Pop $0
!macroend

; The Run value in the 32-bit view of the registry, which 64-bit Windows also starts from.
!macro NvWriteRunValue
  WriteRegStr HKLM "${NV_RUN_KEY}" "${NV_RUN_VALUE}" '"$INSTDIR\bin\wlanmon.exe"'
!macroend

!macro NvRemoveRunValue
  DeleteRegValue HKLM "${NV_RUN_KEY}" "${NV_RUN_VALUE}"
!macroend
