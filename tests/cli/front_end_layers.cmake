# The Python module, the planner window and the application library stand
# beside the command line, not on it: none of their files includes anything
# from src/cli or CLI11, and none of their targets links either.
# cmake -DSOURCE_DIR=... -DLINKS="..." -P front_end_layers.cmake
set(faults "")
foreach(folder app python planner)
  file(GLOB files ${SOURCE_DIR}/src/${folder}/*.h ${SOURCE_DIR}/src/${folder}/*.cpp)
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
if(faults)
  message(FATAL_ERROR "the front-ends' layers lean on the command line:\n${faults}")
endif()
