# The Debian package: `cpack -G DEB` in a Linux build folder configured with
# -DCMAKE_INSTALL_PREFIX=/usr. wlanmon, wlanctl and wlansim, the menu and autostart entries, the
# hicolor icons, the manual pages and wlanctl's bash completion, with the copyright and
# changelog Debian asks for. Dependencies are computed from the programs' libraries
# (dpkg-shlibdeps), not written by hand. Kept apart from the Windows installer's packaging.cmake.
set(CPACK_PACKAGE_NAME "netvane-wlan-monitor")
set(CPACK_PACKAGE_VENDOR "Netvane")
set(CPACK_PACKAGE_VERSION "${PROJECT_VERSION}")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "Netvane Wireless LAN Monitor and Configuration Utility")
set(CPACK_GENERATOR "DEB")
set(CPACK_PACKAGING_INSTALL_PREFIX "/usr")
set(CPACK_STRIP_FILES ON)

set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)  # netvane-wlan-monitor_VERSION_ARCH.deb
set(CPACK_DEBIAN_PACKAGE_MAINTAINER "Netvane WLAN Monitor developers <wlanmon@netvane.invalid>")
set(CPACK_DEBIAN_PACKAGE_SECTION "net")
set(CPACK_DEBIAN_PACKAGE_PRIORITY "optional")
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_GENERATE_SHLIBS OFF)
# The extended description (CPack puts the summary before it as the synopsis and indents it).
set(CPACK_DEBIAN_PACKAGE_DESCRIPTION
    "Tray monitor and configuration utility of the Netvane PCI 802.11b
adapters (PBCC modulation, up to 22 Mbit/s). The icon in the
notification area follows the link once a second; its window
configures the link, WEP security and connection profiles.
.
This package holds wlanmon (the tray program), wlanctl (the same on
the command line) and wlansim, a virtual adapter that plays the
adapter's driver where there is none.")

# /etc/xdg/autostart/wlanmon.desktop is the administrator's to change: a conffile.
set(nv_deb_control ${CMAKE_BINARY_DIR}/deb-control)
file(MAKE_DIRECTORY ${nv_deb_control})
file(WRITE ${nv_deb_control}/conffiles "${CMAKE_INSTALL_FULL_SYSCONFDIR}/xdg/autostart/wlanmon.desktop\n")
set(CPACK_DEBIAN_PACKAGE_CONTROL_EXTRA ${nv_deb_control}/conffiles)
set(CPACK_DEBIAN_PACKAGE_CONTROL_STRICT_PERMISSION ON)

# Debian's documentation files: the copyright, and the changelog (native: changelog.gz).
set(nv_deb_doc ${CMAKE_BINARY_DIR}/deb-doc)
configure_file(${CMAKE_CURRENT_LIST_DIR}/deb/changelog.in ${nv_deb_doc}/changelog @ONLY)
add_custom_command(OUTPUT ${nv_deb_doc}/changelog.gz
                   COMMAND gzip -9nc ${nv_deb_doc}/changelog > ${nv_deb_doc}/changelog.gz
                   DEPENDS ${nv_deb_doc}/changelog VERBATIM)
add_custom_target(wlanmon_deb_doc ALL DEPENDS ${nv_deb_doc}/changelog.gz)
install(FILES ${CMAKE_CURRENT_LIST_DIR}/deb/copyright ${nv_deb_doc}/changelog.gz
        DESTINATION ${CMAKE_INSTALL_DATADIR}/doc/${CPACK_PACKAGE_NAME})

include(CPack)
