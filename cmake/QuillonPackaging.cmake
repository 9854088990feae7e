# `make package`: a Debian package of the program, the CLI, the desktop entry,
# the icons and the manual pages, installed under /usr.
if(NOT UNIX OR APPLE)
    return()
endif()

set(QUILLON_MAINTAINER "Quillon Packaging <packaging@quillon.example>")

# What lintian wants of every package: the copyright file and, for a package
# with a Debian revision, changelog.Debian.gz.
set(doc_dir ${CMAKE_INSTALL_DATADIR}/doc/msgbox-quillon)
install(FILES ${CMAKE_SOURCE_DIR}/packaging/copyright DESTINATION ${doc_dir})
find_program(QUILLON_GZIP gzip REQUIRED)
configure_file(${CMAKE_SOURCE_DIR}/packaging/changelog.Debian.in
               ${CMAKE_BINARY_DIR}/packaging/changelog.Debian @ONLY)
add_custom_command(OUTPUT ${CMAKE_BINARY_DIR}/packaging/changelog.Debian.gz
    COMMAND ${QUILLON_GZIP} -9nkf ${CMAKE_BINARY_DIR}/packaging/changelog.Debian
    DEPENDS ${CMAKE_BINARY_DIR}/packaging/changelog.Debian
    VERBATIM)
add_custom_target(quillon_changelog ALL DEPENDS ${CMAKE_BINARY_DIR}/packaging/changelog.Debian.gz)
install(FILES ${CMAKE_BINARY_DIR}/packaging/changelog.Debian.gz DESTINATION ${doc_dir})
install(FILES ${CMAKE_SOURCE_DIR}/packaging/lintian-overrides
        DESTINATION ${CMAKE_INSTALL_DATADIR}/lintian/overrides RENAME msgbox-quillon)

set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME msgbox-quillon)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_CONTACT ${QUILLON_MAINTAINER})
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_RELEASE 1)
set(CPACK_DEBIAN_PACKAGE_MAINTAINER ${QUILLON_MAINTAINER})
set(CPACK_DEBIAN_PACKAGE_SECTION devel)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "builds Visual Basic MsgBox statements from a typed message")
# CPack puts the summary in front of this as the synopsis line.
set(CPACK_DEBIAN_PACKAGE_DESCRIPTION "Type a title and a message, choose icon, buttons, default button and display
modes, and the tool writes one ready-to-paste Visual Basic MsgBox statement,
laid out to the chosen code width, and shows the message box for real as a
test. The user interface is German.

The package also holds msgbox-format, the same formatter on the command line.")
include(CPack)
set(QUILLON_DEB_PACKAGE ON)
