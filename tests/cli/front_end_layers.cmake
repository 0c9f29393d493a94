# The Python module, the planner window, the application library and the
# report library stand beside the command line, not on it: none of their
# files includes anything from src/cli or CLI11, and none of their targets
# links either. The report library is toolkit-free as well (its Qt half
# lives in src/plot).
# cmake -DSOURCE_DIR=... -DLINKS="..." -P front_end_layers.cmake
include(${CMAKE_CURRENT_LIST_DIR}/../core/include_rules.cmake)
set(faults "")
forbid_includes(faults "app;python;planner;report" "(cli|CLI)/")
forbid_includes(faults "report" "Q")
foreach(link ${LINKS})
  if(link MATCHES "orlavex_cli_lib|CLI11")
    string(APPEND faults "links ${link}\n")
  endif()
endforeach()
if(faults)
  message(FATAL_ERROR "the front-ends' layers lean on the command line:\n${faults}")
endif()
