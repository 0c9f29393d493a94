# Run by CPack between staging and packing (CPACK_PRE_BUILD_SCRIPTS): strips
# every ELF file staged for the packages as Debian's own packaging does:
# shared objects of debug information and of symbols nothing links against,
# programs and shared objects alike of the compiler's .comment and .note
# sections. CPACK_STRIP_FILES has stripped the programs already, but not the
# Python module, which install(CODE) puts in place.
if(NOT CPACK_ORLAVEX_STRIP)
  message(FATAL_ERROR "no strip program: the staged files stay unstripped")
endif()
file(GLOB_RECURSE staged_files LIST_DIRECTORIES false "${CPACK_TEMPORARY_INSTALL_DIRECTORY}/*")
foreach(staged IN LISTS staged_files)
  if(IS_SYMLINK ${staged})
    continue()
  endif()
  file(READ ${staged} magic LIMIT 4 HEX)
  if(NOT magic STREQUAL "7f454c46")  # "\177ELF"
    continue()
  endif()
  set(options --remove-section=.comment --remove-section=.note)
  if(staged MATCHES "\\.so$")
    list(PREPEND options --strip-unneeded)
  endif()
  execute_process(COMMAND ${CPACK_ORLAVEX_STRIP} ${options} ${staged} RESULT_VARIABLE failed)
  if(failed)
    message(FATAL_ERROR "could not strip ${staged}")
  endif()
endforeach()
