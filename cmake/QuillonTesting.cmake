# quillon_add_test(<name> SOURCES <files...> [LIBRARIES <libs...>] [WIDGETS])
# A QtTest executable run by CTest, labelled "widget" with WIDGETS and "core"
# otherwise. Widget tests run on Linux on the offscreen platform. Qt for
# Windows' offscreen platform has no fonts, so there they show real windows
# (under Wine on the X server of the run), one test at a time, since two
# would take the focus from each other.
function(quillon_add_test name)
    cmake_parse_arguments(ARG "WIDGETS" "" "SOURCES;LIBRARIES" ${ARGN})
    add_executable(${name} ${ARG_SOURCES})
    target_link_libraries(${name} PRIVATE Qt6::Test ${ARG_LIBRARIES})
    if(ARG_WIDGETS AND NOT WIN32)
        add_test(NAME ${name} COMMAND ${name} -platform offscreen)
    else()
        add_test(NAME ${name} COMMAND ${name})
    endif()
    if(ARG_WIDGETS)
        set_tests_properties(${name} PROPERTIES LABELS widget)
        if(WIN32)
            set_tests_properties(${name} PROPERTIES RESOURCE_LOCK desktop)
        endif()
    else()
        set_tests_properties(${name} PROPERTIES LABELS core)
    endif()
    if(QUILLON_WINE_PREFIX)
        set_tests_properties(${name} PROPERTIES FIXTURES_REQUIRED wine_prefix)
    endif()
    # A native Windows build has no copy of Qt's DLLs beside its tests.
    if(WIN32 AND NOT CMAKE_CROSSCOMPILING)
        set_tests_properties(${name} PROPERTIES ENVIRONMENT_MODIFICATION
                             PATH=path_list_prepend:$<TARGET_FILE_DIR:Qt6::Core>)
    endif()
endfunction()

# A cross build's tests run under Wine, in the prefix the emulator names,
# made ready once before every test (tests/e2e/wine-prefix.sh).
if(CMAKE_CROSSCOMPILING AND WIN32 AND CMAKE_CROSSCOMPILING_EMULATOR MATCHES "WINEPREFIX=([^;]+)")
    set(QUILLON_WINE_PREFIX ${CMAKE_MATCH_1})
    add_test(NAME wine_prefix COMMAND bash ${CMAKE_SOURCE_DIR}/tests/e2e/wine-prefix.sh)
    set_tests_properties(wine_prefix PROPERTIES FIXTURES_SETUP wine_prefix
                         ENVIRONMENT WINEPREFIX=${QUILLON_WINE_PREFIX})
endif()

# quillon_add_e2e_test(<name> <script> [args...])
# A shell script that drives the real binaries under Xvfb (tests/e2e/lib.sh).
# A Windows build's scripts run the program under Wine, each test in a Wine
# prefix of its own, since one prefix is shared by all its processes.
function(quillon_add_e2e_test name script)
    add_test(NAME ${name}
             COMMAND bash ${CMAKE_SOURCE_DIR}/tests/e2e/run-under-xvfb.sh
                     ${CMAKE_CURRENT_SOURCE_DIR}/${script} ${ARGN})
    set(environment QUILLON_BIN_DIR=${CMAKE_RUNTIME_OUTPUT_DIRECTORY}
                    QUILLON_SOURCE_DIR=${CMAKE_SOURCE_DIR})
    if(WIN32)
        list(APPEND environment WINEPREFIX=${CMAKE_BINARY_DIR}/wine-${name})
    endif()
    set_tests_properties(${name} PROPERTIES LABELS e2e TIMEOUT 240 ENVIRONMENT "${environment}")
endfunction()
