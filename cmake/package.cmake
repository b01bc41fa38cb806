# What `cmake --install` puts where, and the Debian package that `cpack -G DEB` makes of it.
include(GNUInstallDirs)

install(FILES ${PROJECT_SOURCE_DIR}/tarnwick2corvane.1 DESTINATION ${CMAKE_INSTALL_MANDIR}/man1)
# The country list and the sample stay out of share/doc, which a system may leave out when it
# installs packages: users copy dxcc.txt next to their logs.
install(FILES ${PROJECT_SOURCE_DIR}/dxcc.txt ${PROJECT_SOURCE_DIR}/examples/sample.dbf
        DESTINATION ${CMAKE_INSTALL_DATADIR}/tarnwick2corvane)
install(FILES ${PROJECT_SOURCE_DIR}/README.TXT DESTINATION ${CMAKE_INSTALL_DOCDIR})

set(T2C_PACKAGE_MAINTAINER "tarnwick2corvane developers <tarnwick2corvane@example.org>"
    CACHE STRING "The Maintainer field of the Debian package")

set(CPACK_PACKAGE_NAME tarnwick2corvane)
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "convert a Tarnwick logbook into a Corvane import file")
set(CPACK_PACKAGE_DESCRIPTION "Moves an amateur-radio contact log from the Tarnwick logbook (4.5,
standard or Lite), a dBASE III table, to a file that the Corvane logging
program (6.xx) imports, with each contact's country prefix taken from a
list of all current DXCC entities.")
set(CPACK_DEBIAN_PACKAGE_MAINTAINER "${T2C_PACKAGE_MAINTAINER}")
set(CPACK_DEBIAN_PACKAGE_SECTION hamradio)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
# Depends on the C and C++ runtime versions the binary was linked against (needs dpkg-dev).
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_STRIP_FILES ON)
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
include(CPack)
