# What a cross-built Windows program needs beside its executables to start
# without an installed Qt: Qt's DLLs and plugins, Qt's German texts and the
# MinGW runtime. They are copied into the build's bin folder, so the tests and
# the real program find them there as a user's unzipped copy does, and
# installed into the package's root. A native Windows build leaves this to
# Qt's own deployment (app/CMakeLists.txt), which cannot run in a cross build.
if(NOT WIN32 OR NOT CMAKE_CROSSCOMPILING)
    return()
endif()

# The plugins the program loads, and the widget tests as well: the Windows
# platform and the Windows style, which Qt 6.7 renamed from "Vista" to
# "Modern".
set(quillon_shipped_libraries Qt6::Core Qt6::Gui Qt6::Widgets)
set(quillon_shipped_plugins platforms Qt6::QWindowsIntegrationPlugin)
foreach(style Qt6::QModernWindowsStylePlugin Qt6::QWindowsVistaStylePlugin)
    if(TARGET ${style})
        list(APPEND quillon_shipped_plugins styles ${style})
        break()
    endif()
endforeach()

# Qt's translations are no part of qtbase; a cross build takes them from the
# host, whose Qt has the same version.
find_file(QUILLON_QTBASE_DE qtbase_de.qm
    PATHS "${QT6_INSTALL_PREFIX}/${QT6_INSTALL_TRANSLATIONS}"
          "${QT_HOST_PATH}/share/qt6/translations"
    NO_DEFAULT_PATH NO_CMAKE_FIND_ROOT_PATH)
if(NOT QUILLON_QTBASE_DE)
    message(FATAL_ERROR "qtbase_de.qm not found: the program would show Qt's texts in English")
endif()

# MinGW's C++ runtime, which Qt's DLLs need as well. MSVC's comes with Windows.
set(quillon_runtime_dlls)
if(MINGW)
    foreach(dll libstdc++-6.dll libgcc_s_seh-1.dll libwinpthread-1.dll)
        execute_process(COMMAND ${CMAKE_CXX_COMPILER} -print-file-name=${dll}
            OUTPUT_VARIABLE path OUTPUT_STRIP_TRAILING_WHITESPACE)
        if(NOT IS_ABSOLUTE "${path}" OR NOT EXISTS "${path}")
            message(FATAL_ERROR "MinGW runtime ${dll} not found")
        endif()
        list(APPEND quillon_runtime_dlls ${path})
    endforeach()
endif()

set(bin ${CMAKE_RUNTIME_OUTPUT_DIRECTORY})
set(copy_commands)
set(copied_libraries ${quillon_shipped_libraries})
if(TARGET Qt6::Test)
    list(APPEND copied_libraries Qt6::Test)
endif()
foreach(library IN LISTS copied_libraries)
    list(APPEND copy_commands COMMAND ${CMAKE_COMMAND} -E copy_if_different
        $<TARGET_FILE:${library}> ${bin}/)
endforeach()
foreach(file IN LISTS quillon_runtime_dlls)
    list(APPEND copy_commands COMMAND ${CMAKE_COMMAND} -E copy_if_different ${file} ${bin}/)
endforeach()
set(plugin_pairs ${quillon_shipped_plugins})
while(plugin_pairs)
    list(POP_FRONT plugin_pairs folder plugin)
    list(APPEND copy_commands
        COMMAND ${CMAKE_COMMAND} -E make_directory ${bin}/${folder}
        COMMAND ${CMAKE_COMMAND} -E copy_if_different $<TARGET_FILE:${plugin}> ${bin}/${folder}/)
endwhile()
add_custom_target(quillon_windows_runtime ALL
    ${copy_commands}
    COMMAND ${CMAKE_COMMAND} -E make_directory ${bin}/translations
    COMMAND ${CMAKE_COMMAND} -E copy_if_different ${QUILLON_QTBASE_DE} ${bin}/translations/
    VERBATIM)

set(installed_dlls)
foreach(library IN LISTS quillon_shipped_libraries)
    install(FILES $<TARGET_FILE:${library}> DESTINATION .)
    list(APPEND installed_dlls $<TARGET_FILE_NAME:${library}>)
endforeach()
install(FILES ${quillon_runtime_dlls} DESTINATION .)
foreach(file IN LISTS quillon_runtime_dlls)
    get_filename_component(name ${file} NAME)
    list(APPEND installed_dlls ${name})
endforeach()
set(plugin_pairs ${quillon_shipped_plugins})
while(plugin_pairs)
    list(POP_FRONT plugin_pairs folder plugin)
    install(FILES $<TARGET_FILE:${plugin}> DESTINATION ${folder})
    list(APPEND installed_dlls ${folder}/$<TARGET_FILE_NAME:${plugin}>)
endwhile()
install(FILES ${QUILLON_QTBASE_DE} DESTINATION translations)

# Qt's DLLs and MinGW's runtime come with their symbols. A stripped install,
# as CPack makes it, drops them like the executables' own: they are most of
# the package's size.
if(CMAKE_STRIP)
    install(CODE "
        if(CMAKE_INSTALL_DO_STRIP)
            foreach(dll ${installed_dlls})
                execute_process(COMMAND \"${CMAKE_STRIP}\" --strip-unneeded
                    \"\$ENV{DESTDIR}\${CMAKE_INSTALL_PREFIX}/\${dll}\" COMMAND_ERROR_IS_FATAL ANY)
            endforeach()
        endif()")
endif()
