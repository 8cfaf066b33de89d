# SPDX-License-Identifier: GPL-3.0-or-later
# Install helpers: files that Debian wants compressed with gzip -9n, and manual pages.
include(GNUInstallDirs)
find_program(GZIP gzip REQUIRED)

# Compresses FILE at build time and installs it as NAME.gz (NAME defaults to the file's
# name) into DESTINATION:
# vantoril_install_gzipped(FILE path DESTINATION dir [NAME name])
function(vantoril_install_gzipped)
  cmake_parse_arguments(PARSE_ARGV 0 arg "" "FILE;DESTINATION;NAME" "")
  cmake_path(ABSOLUTE_PATH arg_FILE BASE_DIRECTORY ${CMAKE_CURRENT_SOURCE_DIR})
  if(NOT arg_NAME)
    cmake_path(GET arg_FILE FILENAME arg_NAME)
  endif()
  set(copy ${CMAKE_CURRENT_BINARY_DIR}/gzipped/${arg_DESTINATION}/${arg_NAME})
  add_custom_command(
    OUTPUT ${copy}.gz
    COMMAND ${CMAKE_COMMAND} -E copy ${arg_FILE} ${copy}
    COMMAND ${GZIP} -9nf ${copy}
    DEPENDS ${arg_FILE}
    COMMENT "Compressing ${arg_NAME}"
    VERBATIM)
  string(MAKE_C_IDENTIFIER "gzip_${arg_DESTINATION}_${arg_NAME}" target)
  add_custom_target(${target} ALL DEPENDS ${copy}.gz)
  install(FILES ${copy}.gz DESTINATION ${arg_DESTINATION})
endfunction()

# Installs manual pages, compressed, into the folder of the section their name ends with
# (vantoril.1 into man1), under LANGUAGE's folder for a translation (ru/man1):
# vantoril_install_man_pages([LANGUAGE language] page...)
function(vantoril_install_man_pages)
  cmake_parse_arguments(PARSE_ARGV 0 arg "" "LANGUAGE" "")
  set(mandir ${CMAKE_INSTALL_MANDIR})
  if(arg_LANGUAGE)
    string(APPEND mandir /${arg_LANGUAGE})
  endif()
  foreach(page IN LISTS arg_UNPARSED_ARGUMENTS)
    if(NOT page MATCHES "\\.([1-9])[a-z]*$")
      message(FATAL_ERROR "${page}: a manual page's name ends with its section, as in name.1")
    endif()
    vantoril_install_gzipped(FILE ${page} DESTINATION ${mandir}/man${CMAKE_MATCH_1})
  endforeach()
endfunction()
