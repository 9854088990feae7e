# `make windows-package`: the portable zip and the installer, made by CPack
# from the install tree (the two executables at the root beside Qt's DLLs,
# plugins and German texts and the MinGW runtime; QuillonWindowsRuntime.cmake).
if(NOT WIN32)
    return()
endif()

set(CPACK_GENERATOR ZIP NSIS)
set(CPACK_PACKAGE_NAME "MsgBox - Quillon")
set(CPACK_PACKAGE_VENDOR "Quillon")
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_FILE_NAME "MsgBox-Quillon-${PROJECT_VERSION}-win64")
set(CPACK_PACKAGE_INSTALL_DIRECTORY "MsgBox - Quillon")
set(CPACK_PACKAGE_INSTALL_REGISTRY_KEY "MsgBox - Quillon")
set(CPACK_STRIP_FILES ON)

set(CPACK_NSIS_PACKAGE_NAME "MsgBox - Quillon ${PROJECT_VERSION}")
set(CPACK_NSIS_DISPLAY_NAME "MsgBox - Quillon")
set(CPACK_NSIS_INSTALL_ROOT "$PROGRAMFILES64")
set(CPACK_NSIS_COMPRESSOR "/SOLID lzma")
set(CPACK_NSIS_UNINSTALL_NAME "Deinstallieren")
set(CPACK_NSIS_MUI_ICON ${CMAKE_BINARY_DIR}/app/msgbox-quillon.ico)
set(CPACK_NSIS_MUI_UNIICON ${CMAKE_BINARY_DIR}/app/msgbox-quillon.ico)
set(CPACK_QUILLON_PROGRAM "MsgBox - Quillon.exe")
# Our own installer script, packaging/windows/NSIS.template.in, in place of
# CPack's, whose pages speak English.
list(PREPEND CMAKE_MODULE_PATH ${CMAKE_SOURCE_DIR}/packaging/windows)
# The zip unpacks into a folder of its own; the installer's name differs
# from the zip's by its ending.
configure_file(${CMAKE_SOURCE_DIR}/packaging/windows/CPackOptions.cmake.in
               ${CMAKE_BINARY_DIR}/CPackOptions.cmake @ONLY)
set(CPACK_PROJECT_CONFIG_FILE ${CMAKE_BINARY_DIR}/CPackOptions.cmake)
include(CPack)
