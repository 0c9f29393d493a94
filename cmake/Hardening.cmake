# Debian's hardening flags, as dpkg-buildflags gives them with every hardening
# feature on (fortified C library calls, stack protector, format checks,
# read-only relocations bound at start-up), so that the packaged programs
# and libraries are built as Debian builds its own. Only those flags are
# taken: the build type keeps its own optimisation and debug information.
# Sanitizer and fuzz builds go without them (the sanitizers replace the
# fortified calls' checks).
option(ORLAVEX_HARDENING "Build with Debian's hardening flags (dpkg-buildflags)" ON)
find_program(ORLAVEX_DPKG_BUILDFLAGS dpkg-buildflags)

if(ORLAVEX_HARDENING AND ORLAVEX_DPKG_BUILDFLAGS AND NOT ORLAVEX_FUZZ
   AND NOT CMAKE_CXX_FLAGS MATCHES "-fsanitize")
  function(orlavex_hardening_flags kind pattern result)
    execute_process(
      COMMAND ${CMAKE_COMMAND} -E env DEB_BUILD_MAINT_OPTIONS=hardening=+all
              ${ORLAVEX_DPKG_BUILDFLAGS} --get ${kind}
      OUTPUT_VARIABLE flags OUTPUT_STRIP_TRAILING_WHITESPACE COMMAND_ERROR_IS_FATAL ANY)
    separate_arguments(flags UNIX_COMMAND "${flags}")
    list(FILTER flags INCLUDE REGEX "${pattern}")
    set(${result} ${flags} PARENT_SCOPE)
  endfunction()
  orlavex_hardening_flags(CPPFLAGS "^-D_FORTIFY_SOURCE=" ORLAVEX_HARDENING_CPPFLAGS)
  orlavex_hardening_flags(CXXFLAGS
    "^(-fstack-protector|-fstack-clash-protection|-fcf-protection|-Wformat|-Werror=format-security)"
    ORLAVEX_HARDENING_CXXFLAGS)
  orlavex_hardening_flags(LDFLAGS "^-Wl,-z," ORLAVEX_HARDENING_LDFLAGS)
  add_compile_options(${ORLAVEX_HARDENING_CPPFLAGS} ${ORLAVEX_HARDENING_CXXFLAGS})
  add_link_options(${ORLAVEX_HARDENING_LDFLAGS})
  list(JOIN ORLAVEX_HARDENING_CXXFLAGS " " shown_cxxflags)
  list(JOIN ORLAVEX_HARDENING_LDFLAGS " " shown_ldflags)
  message(STATUS "Hardening flags: ${ORLAVEX_HARDENING_CPPFLAGS} ${shown_cxxflags} ${shown_ldflags}")
endif()
