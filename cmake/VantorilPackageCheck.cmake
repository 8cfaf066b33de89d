# SPDX-License-Identifier: GPL-3.0-or-later
# Read by cpack before it builds a package: the newest entry of debian/changelog must be
# the version being packaged, or the installed changelog would describe another release.
file(STRINGS ${CPACK_VANTORIL_CHANGELOG} newest LIMIT_COUNT 1)
if(NOT newest MATCHES "^vantoril \\(([^)]+)\\)")
  message(FATAL_ERROR "${CPACK_VANTORIL_CHANGELOG}: the first line is not 'vantoril (VERSION) ...'")
endif()
if(NOT CMAKE_MATCH_1 STREQUAL CPACK_PACKAGE_VERSION)
  message(FATAL_ERROR "${CPACK_VANTORIL_CHANGELOG} starts with version ${CMAKE_MATCH_1}, "
                      "the package is ${CPACK_PACKAGE_VERSION}: add an entry for it first")
endif()
