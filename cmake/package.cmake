# What `cmake --install` puts where, and the Debian package that `cpack -G DEB` makes of it.
include(GNUInstallDirs)

# The manual pages and the changelog go out gzipped, as Debian keeps them; -n leaves the name
# and time out of the gzip header, so that every build gives the same bytes.
set(T2C_GZIPPED_DIR ${PROJECT_BINARY_DIR}/gzipped)
set(T2C_GZIPPED)
foreach(source tarnwick2corvane.1 tarnwick2corvane-check.1 tarnwick2adif.1 packaging/changelog)
  get_filename_component(name ${source} NAME)
  set(gzipped ${T2C_GZIPPED_DIR}/${name}.gz)
  add_custom_command(OUTPUT ${gzipped}
    COMMAND ${CMAKE_COMMAND} -E copy ${PROJECT_SOURCE_DIR}/${source} ${T2C_GZIPPED_DIR}/${name}
    COMMAND gzip -9nf ${T2C_GZIPPED_DIR}/${name}
    DEPENDS ${PROJECT_SOURCE_DIR}/${source} VERBATIM)
  list(APPEND T2C_GZIPPED ${gzipped})
endforeach()
add_custom_target(t2c_gzipped ALL DEPENDS ${T2C_GZIPPED})

install(FILES ${T2C_GZIPPED_DIR}/tarnwick2corvane.1.gz ${T2C_GZIPPED_DIR}/tarnwick2corvane-check.1.gz
              ${T2C_GZIPPED_DIR}/tarnwick2adif.1.gz
        DESTINATION ${CMAKE_INSTALL_MANDIR}/man1)
# The country list and the sample stay out of share/doc, which a system may leave out when it
# installs packages: users copy dxcc.txt next to their logs.
install(FILES ${PROJECT_SOURCE_DIR}/dxcc.txt ${PROJECT_SOURCE_DIR}/examples/sample.dbf
        DESTINATION ${CMAKE_INSTALL_DATADIR}/tarnwick2corvane)
install(FILES ${PROJECT_SOURCE_DIR}/README.TXT ${PROJECT_SOURCE_DIR}/packaging/copyright
              ${T2C_GZIPPED_DIR}/changelog.gz
        DESTINATION ${CMAKE_INSTALL_DOCDIR})

set(T2C_PACKAGE_MAINTAINER "tarnwick2corvane maintainers <maintainers@users.noreply.c-seed-14f06d36.example>"
    CACHE STRING "The Maintainer field of the Debian package")

set(CPACK_PACKAGE_NAME tarnwick2corvane)
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "convert a Tarnwick logbook into a Corvane import file")
set(CPACK_PACKAGE_DESCRIPTION "Moves an amateur-radio contact log from the Tarnwick logbook (4.5,
standard or Lite), a dBASE III table, to a file that the Corvane logging
program (6.xx) imports, with each contact's country prefix taken from a
list of all current DXCC entities. A second program checks a log's field
layout and its country names against what the converter expects; a third
writes the same contacts as an ADIF file for any other logger, each with
the DXCC entity it counts for on its date.")
set(CPACK_DEBIAN_PACKAGE_MAINTAINER "${T2C_PACKAGE_MAINTAINER}")
set(CPACK_DEBIAN_PACKAGE_SECTION hamradio)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
# Depends on the C and C++ runtime versions the binary was linked against (needs dpkg-dev).
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_STRIP_FILES ON)
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
include(CPack)
