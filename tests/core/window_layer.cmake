# The front-ends and the layers under them compute through the classic core,
# not through the window model: no file of theirs includes the window's
# actions (window/) or the desktop program (ui/). The one adapter that
# still carries a set-up out on a window model through its user actions
# (for the planner's calculator) is listed by name; the list only shrinks.
# cmake -DSOURCE_DIR=... -P window_layer.cmake
set(adapters "src/app/inputs/apply.cpp")
set(faults "")
foreach(folder app planning cli python report plot charts)
  file(GLOB_RECURSE files ${SOURCE_DIR}/src/${folder}/*.h ${SOURCE_DIR}/src/${folder}/*.cpp)
  foreach(file ${files})
    if(file MATCHES "(${adapters})$")
      continue()
    endif()
    file(STRINGS ${file} includes REGEX "^[ \t]*#[ \t]*include[ \t]*[<\"](window|ui)/")
    foreach(line ${includes})
      string(APPEND faults "${file}: ${line}\n")
    endforeach()
  endforeach()
endforeach()
if(faults)
  message(FATAL_ERROR "computing through the window model:\n${faults}")
endif()
