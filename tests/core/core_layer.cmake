# The pure classic core and everything below it (the catalogues, the
# measurement physics, the data files) know no window model, no front-end and
# no toolkit: none of their files includes from the folders above them or
# from Qt. The core reads the fields' ranges and lengths, constant data, from the form.
# cmake -DSOURCE_DIR=... -P core_layer.cmake
set(above "engine|window|form|ui|app|planning|planner|cli|python|report|charts|plot|drive")
set(allowed "form/field_ranges.h|form/control_id.h|form/layout_rows.h")
set(faults "")
foreach(folder core catalogue measure datafiles)
  file(GLOB_RECURSE files ${SOURCE_DIR}/src/${folder}/*.h ${SOURCE_DIR}/src/${folder}/*.cpp)
  foreach(file ${files})
    file(STRINGS ${file} includes REGEX "^[ \t]*#[ \t]*include[ \t]*[<\"](${above})/|^[ \t]*#[ \t]*include[ \t]*<Q")
    foreach(line ${includes})
      if(NOT line MATCHES "\"(${allowed})\"")
        string(APPEND faults "${file}: ${line}\n")
      endif()
    endforeach()
  endforeach()
endforeach()
if(faults)
  message(FATAL_ERROR "the core leans on the layers above it:\n${faults}")
endif()
