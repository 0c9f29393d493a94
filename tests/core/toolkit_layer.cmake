# Qt stays in the desktop program, the planner window and the chart drawing
# (ui, planner, charts' drawing, plot): no file of the folders below includes
# a Qt header or a header of those folders. The planner's session is among
# them, so that a server or an instrument loop can drive it without a window.
# cmake -DSOURCE_DIR=... -P toolkit_layer.cmake
set(faults "")
foreach(folder measure catalogue core datafiles form engine window planning app session report cli
               python drive)
  file(GLOB_RECURSE files ${SOURCE_DIR}/src/${folder}/*.h ${SOURCE_DIR}/src/${folder}/*.cpp)
  foreach(file ${files})
    file(STRINGS ${file} includes
         REGEX "^[ \t]*#[ \t]*include[ \t]*(<Q|[<\"](ui|planner|plot)/)")
    foreach(line ${includes})
      string(APPEND faults "${file}: ${line}\n")
    endforeach()
  endforeach()
endforeach()
if(faults)
  message(FATAL_ERROR "a toolkit-free layer leans on Qt:\n${faults}")
endif()
