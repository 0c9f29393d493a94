# The Python module, the planner window, the application library and the
# report library stand beside the command line, not on it: none of their
# files includes anything from src/cli or CLI11, and none of their targets
# links either. The report library is toolkit-free as well (its Qt half
# lives in src/plot).
# cmake -DSOURCE_DIR=... -DLINKS="..." -P front_end_layers.cmake
set(faults "")
foreach(folder app python planner report)
  file(GLOB_RECURSE files ${SOURCE_DIR}/src/${folder}/*.h ${SOURCE_DIR}/src/${folder}/*.cpp)
  foreach(file ${files})
    file(STRINGS ${file} includes REGEX "^[ \t]*#[ \t]*include[ \t]*[<\"](cli|CLI)/")
    foreach(line ${includes})
      string(APPEND faults "${file}: ${line}\n")
    endforeach()
  endforeach()
endforeach()
foreach(link ${LINKS})
  if(link MATCHES "orlavex_cli_lib|CLI11")
    string(APPEND faults "links ${link}\n")
  endif()
endforeach()
file(GLOB_RECURSE report_files ${SOURCE_DIR}/src/report/*.h ${SOURCE_DIR}/src/report/*.cpp)
foreach(file ${report_files})
  file(STRINGS ${file} includes REGEX "^[ \t]*#[ \t]*include[ \t]*<Q")
  foreach(line ${includes})
    string(APPEND faults "${file}: ${line} (Qt)\n")
  endforeach()
endforeach()
if(faults)
  message(FATAL_ERROR "the front-ends' layers lean on the command line:\n${faults}")
endif()
