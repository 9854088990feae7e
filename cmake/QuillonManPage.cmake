# quillon_install_man_page(<source.N.in>)
# Fills in the version, compresses the page as Debian wants it (gzip -9n, no
# name or time stamp inside) and installs it into man section N.
function(quillon_install_man_page source)
    get_filename_component(page ${source} NAME_WLE)
    string(REGEX MATCH "[0-9]$" section ${page})
    set(page_file ${CMAKE_CURRENT_BINARY_DIR}/${page})
    configure_file(${source} ${page_file} @ONLY)
    find_program(QUILLON_GZIP gzip REQUIRED)
    add_custom_command(OUTPUT ${page_file}.gz
        COMMAND ${QUILLON_GZIP} -9nkf ${page_file}
        DEPENDS ${page_file}
        VERBATIM)
    add_custom_target(${page}_gz ALL DEPENDS ${page_file}.gz)
    install(FILES ${page_file}.gz DESTINATION ${CMAKE_INSTALL_MANDIR}/man${section})
endfunction()
