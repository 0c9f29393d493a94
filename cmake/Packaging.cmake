# What the package holds beyond the programs' own install rules, and how
# `cpack -G DEB` builds it. Man pages are installed from data/man by a glob,
# so a new program's page is packaged by adding the file.
file(GLOB ORLAVEX_MAN_PAGES CONFIGURE_DEPENDS ${PROJECT_SOURCE_DIR}/data/man/*.1)
install(FILES ${ORLAVEX_MAN_PAGES} DESTINATION ${CMAKE_INSTALL_MANDIR}/man1)
install(FILES ${PROJECT_SOURCE_DIR}/LICENSE
        DESTINATION ${CMAKE_INSTALL_DATADIR}/doc/orlavex RENAME copyright)

set(CPACK_PACKAGE_NAME orlavex)
set(CPACK_PACKAGE_VENDOR Korvanti)
set(CPACK_PACKAGE_CONTACT "Orlavex maintainers <maintainers@orlavex.invalid>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "noise-figure calculator for the Y-factor method")
set(CPACK_PACKAGE_DESCRIPTION
    "Orlavex predicts the Y factors and analyzer levels of a noise figure\n"
    "measurement, estimates its uncertainty and rates the set-up, from typed-in\n"
    "instrument data or built-in catalogues of analyzers and noise sources.\n"
    "It also derives noise figure and gain from four measured levels.")
string(JOIN "" CPACK_PACKAGE_DESCRIPTION ${CPACK_PACKAGE_DESCRIPTION})
set(CPACK_RESOURCE_FILE_LICENSE ${PROJECT_SOURCE_DIR}/LICENSE)
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)
set(CPACK_GENERATOR DEB)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION science)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
# The web links open through xdg-open; the window draws with Liberation Sans.
set(CPACK_DEBIAN_PACKAGE_DEPENDS "xdg-utils, fonts-liberation2")

# One package per install component: the programs (every rule without a
# component of its own) as orlavex, the Python module, where it is built, as
# python3-orlavex.
set(CPACK_DEB_COMPONENT_INSTALL ON)
set(CPACK_DEBIAN_UNSPECIFIED_PACKAGE_NAME orlavex)
if(ORLAVEX_PYTHON_PACKAGE_DEPENDS)
  set(CPACK_DEBIAN_PYTHON3-ORLAVEX_PACKAGE_NAME python3-orlavex)
  set(CPACK_DEBIAN_PYTHON3-ORLAVEX_PACKAGE_SECTION python)
  set(CPACK_DEBIAN_PYTHON3-ORLAVEX_PACKAGE_DEPENDS ${ORLAVEX_PYTHON_PACKAGE_DEPENDS})
  set(CPACK_DEBIAN_PYTHON3-ORLAVEX_DESCRIPTION
      "noise-figure calculator for the Y-factor method (Python module)\n"
      "The module orlavex gives scripts and notebooks the calculator's figures,\n"
      "the GUM uncertainty budget, the Monte Carlo and sweeps across a band.")
  string(JOIN "" CPACK_DEBIAN_PYTHON3-ORLAVEX_DESCRIPTION ${CPACK_DEBIAN_PYTHON3-ORLAVEX_DESCRIPTION})
endif()
include(CPack)
