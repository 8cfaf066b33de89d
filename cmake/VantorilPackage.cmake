# SPDX-License-Identifier: GPL-3.0-or-later
# The Debian package made by `cpack -G DEB`: its control fields, and the copyright and
# changelog files every Debian package carries.
include(VantorilInstall)

set(vantoril_docdir ${CMAKE_INSTALL_DATADIR}/doc/vantoril)
install(FILES ${PROJECT_SOURCE_DIR}/debian/copyright DESTINATION ${vantoril_docdir})
vantoril_install_gzipped(FILE ${PROJECT_SOURCE_DIR}/debian/changelog DESTINATION ${vantoril_docdir})

set(CPACK_PACKAGE_NAME vantoril)
set(CPACK_PACKAGE_VENDOR "Vantoril developers")
set(CPACK_PACKAGE_CONTACT "Vantoril developers <vantoril@example.org>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "meter for a costly connection: traffic, time online and cost")
set(CPACK_PACKAGE_DESCRIPTION [[
Vantoril meters one network connection that costs money: a dial-up or PPP
line, a mobile-broadband modem or a tethered phone. It lives in the
notification area of the desktop.

A small floating indicator shows the megabytes received, sent and in total,
the speed, the local IP address, the time online and what it all costs at a
tariff that changes by the hour of the day, with a graph of the activity.
The cost of every finished connection is booked per connection and per
month. A tiny script language watches the counters and can show a warning
or hang the connection up; vantoril-script checks and tries such scripts.

The connection is found through NetworkManager or among the kernel's
point-to-point interfaces. The user interface is in Russian.]])
set(CPACK_PACKAGE_INSTALL_DIRECTORY vantoril)
# The program keeps its version; each release of the package after it adds "+N".
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION}+1)
set(CPACK_STRIP_FILES ON)
set(CPACK_GENERATOR DEB)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION net)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
# Loaded at run time, so invisible to the shared-library scan.
set(CPACK_DEBIAN_PACKAGE_DEPENDS "qt6-qpa-plugins, libqt6sql6-sqlite")
# Native windows on Wayland, and Qt's own texts (buttons, file errors) in Russian.
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "qt6-wayland, qt6-translations-l10n")
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)

# cpack refuses a package whose changelog does not describe its version.
set(CPACK_VANTORIL_CHANGELOG ${PROJECT_SOURCE_DIR}/debian/changelog)
set(CPACK_PROJECT_CONFIG_FILE ${CMAKE_CURRENT_LIST_DIR}/VantorilPackageCheck.cmake)
include(CPack)
