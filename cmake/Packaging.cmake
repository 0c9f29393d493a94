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
include(CPack)
