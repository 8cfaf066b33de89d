# SPDX-License-Identifier: GPL-3.0-or-later
# Debian's hardening flags from dpkg-buildflags for optimised builds: stack protector,
# fortified libc calls, read-only relocations bound at start (Debian's compiler builds PIE).
option(VANTORIL_HARDENING "Build optimised configurations with the flags of dpkg-buildflags" ON)
find_program(DPKG_BUILDFLAGS dpkg-buildflags)

# Fortified calls need the optimiser, and sanitizers bring their own checks.
if(VANTORIL_HARDENING AND DPKG_BUILDFLAGS AND NOT VANTORIL_FUZZ AND NOT VANTORIL_TSAN)
  set(optimised "$<CONFIG:Release,RelWithDebInfo,MinSizeRel>")
  foreach(kind CPPFLAGS CXXFLAGS LDFLAGS)
    # Full source paths stay, so debuggers and test failures name the real files.
    execute_process(
      COMMAND ${CMAKE_COMMAND} -E env
              "DEB_BUILD_MAINT_OPTIONS=hardening=+all reproducible=-fixfilepath,-fixdebugpath"
              ${DPKG_BUILDFLAGS} --get ${kind}
      OUTPUT_VARIABLE flags OUTPUT_STRIP_TRAILING_WHITESPACE COMMAND_ERROR_IS_FATAL ANY)
    separate_arguments(flags UNIX_COMMAND "${flags}")
    # The build type chooses optimisation and debug information.
    list(FILTER flags EXCLUDE REGEX "^-(O.*|g)$")
    list(TRANSFORM flags PREPEND "$<${optimised}:")
    list(TRANSFORM flags APPEND ">")
    if(kind STREQUAL LDFLAGS)
      add_link_options(${flags})
    else()
      add_compile_options(${flags})
    endif()
  endforeach()
endif()
