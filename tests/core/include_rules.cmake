# The layers' include rules, one walk over the sources for all of them.
# cmake -DSOURCE_DIR=... -DRULE=core|window|toolkit -P include_rules.cmake
#
# forbid_includes(FAULTS FOLDERS PATTERN [ALLOWED regex] [EXEMPT regex]): every
# #include line of a .h or .cpp file below src/FOLDER that matches PATTERN
# (after "#include <" or "#include \"") is a fault, unless the included
# path matches ALLOWED or the file's path EXEMPT. The faults are appended to
# the variable FAULTS.
function(forbid_includes out_var folders pattern)
  cmake_parse_arguments(PARSE_ARGV 3 rule "" "ALLOWED;EXEMPT" "")
  set(found "${${out_var}}")
  foreach(folder ${folders})
    file(GLOB_RECURSE files ${SOURCE_DIR}/src/${folder}/*.h ${SOURCE_DIR}/src/${folder}/*.cpp)
    foreach(file ${files})
      if(rule_EXEMPT AND file MATCHES "(${rule_EXEMPT})$")
        continue()
      endif()
      file(STRINGS ${file} includes REGEX "^[ \t]*#[ \t]*include[ \t]*[<\"](${pattern})")
      foreach(line ${includes})
        if(rule_ALLOWED AND line MATCHES "[<\"](${rule_ALLOWED})[>\"]")
          continue()
        endif()
        string(APPEND found "${file}: ${line}\n")
      endforeach()
    endforeach()
  endforeach()
  set(${out_var} "${found}" PARENT_SCOPE)
endfunction()

if(NOT DEFINED RULE)
  return()  # included for the function alone
endif()
set(faults "")
if(RULE STREQUAL "core")
  # The pure classic core and everything below it (the catalogues, the
  # measurement physics, the data files) know no window model, no front-end
  # and no toolkit. The core reads the fields' ranges and lengths, constant
  # data, from the form.
  forbid_includes(faults "core;catalogue;measure;datafiles"
    "(engine|window|form|ui|app|planning|planner|cli|python|report|charts|plot|drive)/|Q"
    ALLOWED "form/field_ranges.h|form/control_id.h|form/layout_rows.h")
  set(what "the core leans on the layers above it")
elseif(RULE STREQUAL "window")
  # The front-ends and the layers under them compute through the classic
  # core, not through the window model: no file of theirs includes the
  # window's actions (window/) or the desktop program (ui/). The one adapter
  # that still carries a set-up out on a window model through its user
  # actions (for the planner's calculator) is exempt by name; the list only
  # shrinks.
  forbid_includes(faults "app;planning;cli;python;report;plot;charts" "(window|ui)/"
    EXEMPT "src/app/inputs/apply.cpp")
  set(what "computing through the window model")
elseif(RULE STREQUAL "toolkit")
  # Qt stays in the desktop program, the planner window and the chart
  # drawing (ui, planner, charts' drawing, plot). The planner's session is
  # below that line, so that a server or an instrument loop can drive it
  # without a window.
  forbid_includes(faults
    "measure;catalogue;core;datafiles;form;engine;window;planning;app;session;report;cli;python;drive"
    "Q|(ui|planner|plot)/")
  set(what "a toolkit-free layer leans on Qt")
else()
  message(FATAL_ERROR "no include rule ${RULE}")
endif()
if(faults)
  message(FATAL_ERROR "${what}:\n${faults}")
endif()
