# The Windows installer: `cpack -G NSIS` in the MinGW build folder (Debian's nsis runs makensis).
# wlanmon.exe and wlanctl.exe under Program Files (the 32-bit one on 64-bit Windows); a
# Start-menu entry; the monitor started at log-on (a tick on the components page); an upgrade in
# place that closes a running monitor and starts it again; an uninstaller that first closes a
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
# Our NSIS code is netvane.nsh. It is included at the top of the template's script (by way of
# the compressor's line, the only one there that takes our text) so that its first section, which
# closes a running monitor, comes before the template's sections replace any file; the template's
# hooks insert its macros at the end of the install section and the start of the uninstall one.
set(CPACK_NSIS_COMPRESSOR
    "lzma\n  !define NV_REGISTRY_KEY '${CPACK_PACKAGE_INSTALL_REGISTRY_KEY}'\n  !include '${CMAKE_CURRENT_LIST_DIR}/nsis/netvane.nsh'")
set(CPACK_NSIS_EXTRA_INSTALL_COMMANDS "!insertmacro NvInstallEnd")
set(CPACK_NSIS_EXTRA_UNINSTALL_COMMANDS "!insertmacro NvUninstallStart")
set(CPACK_COMPONENTS_ALL program)
include(CPack)
cpack_add_component(program DISPLAY_NAME "Netvane Wireless LAN Monitor" REQUIRED)
