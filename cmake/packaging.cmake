# The Windows installer: `cpack -G NSIS` in the MinGW build folder (Debian's nsis runs makensis).
# wlanmon.exe and wlanctl.exe under Program Files (the 32-bit one on 64-bit Windows); a Start-menu entry; the
# monitor started at log-on (a tick on the components page); an uninstaller that first closes a
# running monitor and removes what was installed, leaving the user's settings.
set(CPACK_PACKAGE_NAME "netvane-wlan-monitor")
set(CPACK_PACKAGE_VENDOR "Netvane")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "Netvane Wireless LAN Monitor and Configuration Utility")
set(CPACK_PACKAGE_VERSION "${PROJECT_VERSION}")
set(CPACK_SYSTEM_NAME "win32")
set(CPACK_PACKAGE_INSTALL_DIRECTORY "Netvane WLAN Monitor")
set(CPACK_PACKAGE_INSTALL_REGISTRY_KEY "Netvane WLAN Monitor")
set(CPACK_PACKAGE_EXECUTABLES "wlanmon" "Netvane Wireless LAN Monitor")
set(CPACK_GENERATOR "NSIS")
set(CPACK_NSIS_INSTALL_ROOT "$PROGRAMFILES")
set(CPACK_NSIS_DISPLAY_NAME "Netvane Wireless LAN Monitor")
set(CPACK_NSIS_PACKAGE_NAME "Netvane Wireless LAN Monitor")
set(CPACK_NSIS_INSTALLED_ICON_NAME "bin\\\\wlanmon.exe")
set(CPACK_NSIS_ENABLE_UNINSTALL_BEFORE_INSTALL OFF)
set(CPACK_NSIS_MODIFY_PATH OFF)
# The template's hooks take NSIS lines; our own code is in netvane.nsh (the first hook includes it).
# The install hook ends the template's section and opens the log-on section, which the template's
# own SectionEnd closes, so that it shows as a tick box.
set(nv_nsh "${CMAKE_CURRENT_LIST_DIR}/nsis/netvane.nsh")
set(CPACK_NSIS_EXTRA_PREINSTALL_COMMANDS "!include '${nv_nsh}'\n  !insertmacro NvCloseMonitor")
set(CPACK_NSIS_EXTRA_INSTALL_COMMANDS
    "SectionEnd\nSection 'Start the monitor at log-on' NvAutostart\n  !insertmacro NvWriteRunValue")
set(CPACK_NSIS_EXTRA_UNINSTALL_COMMANDS "!insertmacro NvCloseMonitor\n  !insertmacro NvRemoveRunValue")
set(CPACK_COMPONENTS_ALL program)
include(CPack)
cpack_add_component(program DISPLAY_NAME "Netvane Wireless LAN Monitor" REQUIRED)
