# quillon_add_test(<name> SOURCES <files...> [LIBRARIES <libs...>] [WIDGETS])
# A QtTest executable run by CTest. WIDGETS runs it on the offscreen platform
# and labels it "widget"; every other test is labelled "core".
function(quillon_add_test name)
    cmake_parse_arguments(ARG "WIDGETS" "" "SOURCES;LIBRARIES" ${ARGN})
    add_executable(${name} ${ARG_SOURCES})
    target_link_libraries(${name} PRIVATE Qt6::Test ${ARG_LIBRARIES})
    add_test(NAME ${name} COMMAND ${name})
    if(ARG_WIDGETS)
        set_tests_properties(${name} PROPERTIES LABELS widget
                             ENVIRONMENT "QT_QPA_PLATFORM=offscreen")
    else()
        set_tests_properties(${name} PROPERTIES LABELS core)
    endif()
endfunction()

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
