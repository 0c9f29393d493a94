# What the packages hold beyond the programs' own install rules, and how
# `cpack -G DEB` builds them. Man pages are installed from data/man by a glob,
# so a new program's page is packaged by adding the file; a template (.1.in)
# is written into the build tree first.
set(ORLAVEX_HOMEPAGE "https://orlavex.invalid/")

# Debian ships man pages and changelogs compressed, without a time stamp in
# the gzip header (-n) so that two builds give the same bytes.
find_program(ORLAVEX_GZIP gzip REQUIRED)
set(ORLAVEX_GZIPPED_DIR ${PROJECT_BINARY_DIR}/gzipped)
function(orlavex_gzip source result)
  get_filename_component(name ${source} NAME)
  set(gzipped ${ORLAVEX_GZIPPED_DIR}/${name}.gz)
  add_custom_command(
    OUTPUT ${gzipped}
    COMMAND ${CMAKE_COMMAND} -E make_directory ${ORLAVEX_GZIPPED_DIR}
    COMMAND ${ORLAVEX_GZIP} -9nc ${source} > ${gzipped}
    DEPENDS ${source}
    COMMENT "Compressing ${name}")
  set(${result} ${gzipped} PARENT_SCOPE)
endfunction()

# orlavex-cli's page is its template's prose with the option lists written
# from the input rows (orlavex-man-page), into build/man.
set(ORLAVEX_CLI_MAN_PAGE ${PROJECT_BINARY_DIR}/man/orlavex-cli.1)
set(ORLAVEX_CLI_MAN_TEMPLATE ${PROJECT_SOURCE_DIR}/data/man/orlavex-cli.1.in)
add_custom_command(
  OUTPUT ${ORLAVEX_CLI_MAN_PAGE}
  COMMAND ${CMAKE_COMMAND} -E make_directory ${PROJECT_BINARY_DIR}/man
  COMMAND orlavex-man-page ${ORLAVEX_CLI_MAN_TEMPLATE} ${ORLAVEX_CLI_MAN_PAGE}
  DEPENDS orlavex-man-page ${ORLAVEX_CLI_MAN_TEMPLATE}
  COMMENT "Writing orlavex-cli.1 from its template and the input rows")
add_custom_target(orlavex_cli_man_page ALL DEPENDS ${ORLAVEX_CLI_MAN_PAGE})

file(GLOB ORLAVEX_MAN_PAGES CONFIGURE_DEPENDS ${PROJECT_SOURCE_DIR}/data/man/*.1)
list(APPEND ORLAVEX_MAN_PAGES ${ORLAVEX_CLI_MAN_PAGE})
set(ORLAVEX_GZIPPED_MAN_PAGES "")
foreach(page IN LISTS ORLAVEX_MAN_PAGES)
  orlavex_gzip(${page} gzipped)
  list(APPEND ORLAVEX_GZIPPED_MAN_PAGES ${gzipped})
endforeach()
orlavex_gzip(${PROJECT_SOURCE_DIR}/data/package/changelog ORLAVEX_GZIPPED_CHANGELOG)
add_custom_target(orlavex_gzipped_docs ALL
                  DEPENDS ${ORLAVEX_GZIPPED_MAN_PAGES} ${ORLAVEX_GZIPPED_CHANGELOG})
install(FILES ${ORLAVEX_GZIPPED_MAN_PAGES} DESTINATION ${CMAKE_INSTALL_MANDIR}/man1)

# Each package's /usr/share/doc/<package> holds the machine-readable
# copyright and the changelog; the programs' package also the sample inputs
# the help texts and the application note name.
install(FILES ${PROJECT_SOURCE_DIR}/data/package/copyright ${ORLAVEX_GZIPPED_CHANGELOG}
        DESTINATION ${CMAKE_INSTALL_DATADIR}/doc/orlavex)
file(GLOB ORLAVEX_EXAMPLES CONFIGURE_DEPENDS ${PROJECT_SOURCE_DIR}/examples/*)
install(FILES ${ORLAVEX_EXAMPLES} DESTINATION ${CMAKE_INSTALL_DATADIR}/doc/orlavex/examples)
if(ORLAVEX_PYTHON_PACKAGE_DEPENDS)
  install(FILES ${PROJECT_SOURCE_DIR}/data/package/copyright ${ORLAVEX_GZIPPED_CHANGELOG}
          DESTINATION ${CMAKE_INSTALL_DATADIR}/doc/python3-orlavex COMPONENT python3-orlavex)
endif()

set(CPACK_PACKAGE_NAME orlavex)
set(CPACK_PACKAGE_VENDOR Korvanti)
set(CPACK_PACKAGE_CONTACT "Orlavex maintainers <maintainers@orlavex.invalid>")
set(CPACK_PACKAGE_HOMEPAGE_URL ${ORLAVEX_HOMEPAGE})
set(CPACK_RESOURCE_FILE_LICENSE ${PROJECT_SOURCE_DIR}/LICENSE)
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)
set(CPACK_GENERATOR DEB)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION science)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
# The web links open through xdg-open; the window draws with Liberation Sans.
set(CPACK_DEBIAN_PACKAGE_DEPENDS "xdg-utils, fonts-liberation2, liblxi1, libtirpc3")

# CPACK_STRIP_FILES reaches only install(TARGETS) rules; the Python module is
# installed by install(CODE) (its directory depends on the prefix), so the
# staged shared objects are stripped as Debian strips libraries.
set(CPACK_ORLAVEX_STRIP ${CMAKE_STRIP})
set(CPACK_PRE_BUILD_SCRIPTS ${PROJECT_SOURCE_DIR}/cmake/StripStagedModules.cmake)

# One package per install component: the programs (every rule without a
# component of its own) as orlavex, the Python module, where it is built, as
# python3-orlavex. Each description is its summary line and the extended
# text; CPACK_PACKAGE_DESCRIPTION_SUMMARY stays unset, or CPack would put it
# before every component's own summary.
set(CPACK_DEB_COMPONENT_INSTALL ON)
set(CPACK_DEBIAN_UNSPECIFIED_PACKAGE_NAME orlavex)
string(JOIN "\n" CPACK_DEBIAN_UNSPECIFIED_DESCRIPTION
  "noise-figure calculator for the Y-factor method"
  "Orlavex predicts the Y factors and analyzer levels of a noise figure"
  "measurement, estimates its uncertainty and rates the set-up, from typed-in"
  "instrument data or built-in catalogues of analyzers and noise sources."
  "It also derives noise figure and gain from four measured levels."
  ""
  "The planner window and orlavex-cli sweep a set-up across a band, with the"
  "noise source's ENR table and the DUT's S-parameters, and give a GUM"
  "uncertainty budget and a Monte Carlo of the measurement.")
# examples/plan_band.py draws its plan with the module and matplotlib.
if(ORLAVEX_PYTHON_PACKAGE_DEPENDS)
  set(CPACK_DEBIAN_UNSPECIFIED_PACKAGE_SUGGESTS python3-orlavex)
endif()
if(ORLAVEX_PYTHON_PACKAGE_DEPENDS)
  set(CPACK_DEBIAN_PYTHON3-ORLAVEX_PACKAGE_NAME python3-orlavex)
  set(CPACK_DEBIAN_PYTHON3-ORLAVEX_PACKAGE_SECTION python)
  set(CPACK_DEBIAN_PYTHON3-ORLAVEX_PACKAGE_DEPENDS ${ORLAVEX_PYTHON_PACKAGE_DEPENDS})
  set(CPACK_DEBIAN_PYTHON3-ORLAVEX_PACKAGE_SUGGESTS python3-matplotlib)
  string(JOIN "\n" CPACK_DEBIAN_PYTHON3-ORLAVEX_DESCRIPTION
    "noise-figure calculator for the Y-factor method (Python 3 module)"
    "The module orlavex gives scripts and notebooks the figures of the Orlavex"
    "noise-figure calculator (Y-factor method), the GUM uncertainty budget,"
    "the Monte Carlo of the measurement and sweeps across a band, as Python"
    "dicts and numpy arrays.")
endif()
include(CPack)
