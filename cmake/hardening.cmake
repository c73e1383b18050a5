# The hardening a Debian package gets: stack protector, fortified C library
# calls, read-only relocations and immediate binding, in a position
# independent executable. The flags come from dpkg-buildflags where it is
# installed, the same flags by hand where not. Sets WGZ_HARDENING_COMPILE
# (for every object of the program) and WGZ_HARDENING_LINK (for a dynamic
# program only: a static one has no relocations to protect).
set(WGZ_HARDENING_COMPILE "")
set(WGZ_HARDENING_LINK "")
# Sanitizer and fuzzer builds check the code, they are not shipped; the
# fortified calls would only get between them and the C library.
if(CMAKE_CXX_FLAGS MATCHES "sanitize" OR WGZ_FUZZ OR WIN32 OR EMSCRIPTEN)
  return()
endif()

find_program(DPKG_BUILDFLAGS dpkg-buildflags)
if(DPKG_BUILDFLAGS AND NOT CMAKE_CROSSCOMPILING)
  # Only the hardening: the build type chooses optimization and debug
  # information, and the project maps its own file names.
  set(buildflags_env ${CMAKE_COMMAND} -E env "DEB_BUILD_MAINT_OPTIONS=hardening=+all reproducible=-fixfilepath"
    "DEB_CXXFLAGS_MAINT_STRIP=-g -O2" DEB_CPPFLAGS_MAINT_STRIP=-Wdate-time)
  foreach(kind CPPFLAGS CXXFLAGS LDFLAGS)
    execute_process(COMMAND ${buildflags_env} ${DPKG_BUILDFLAGS} --get ${kind}
      OUTPUT_VARIABLE flags OUTPUT_STRIP_TRAILING_WHITESPACE COMMAND_ERROR_IS_FATAL ANY)
    separate_arguments(flags_${kind} UNIX_COMMAND "${flags}")
  endforeach()
  list(APPEND WGZ_HARDENING_COMPILE ${flags_CPPFLAGS} ${flags_CXXFLAGS})
  set(WGZ_HARDENING_LINK ${flags_LDFLAGS})
else()
  set(WGZ_HARDENING_COMPILE -D_FORTIFY_SOURCE=2 -fstack-protector-strong -Wformat -Werror=format-security)
  set(WGZ_HARDENING_LINK -Wl,-z,relro -Wl,-z,now)
endif()
# Fortified calls need an optimizing build; without one glibc only warns.
if(CMAKE_BUILD_TYPE STREQUAL "Debug")
  list(FILTER WGZ_HARDENING_COMPILE EXCLUDE REGEX "_FORTIFY_SOURCE")
endif()
