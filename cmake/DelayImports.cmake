# Import libraries whose DLLs load on first use (delay-load) rather than at
# process start. Wine resolves a statically imported DLL's own imports (such
# as shell32's shcore) from the program's folder before any code of ours can
# harden the search; a DLL loaded after the hardening is found in the system
# folder only, with everything it imports. The .def files carry the 32-bit
# decorations; 64-bit names have none.
function(add_delay_import_library target def_file)
    set_property(DIRECTORY APPEND PROPERTY CMAKE_CONFIGURE_DEPENDS ${def_file})
    file(READ ${def_file} definitions)
    if(CMAKE_SIZEOF_VOID_P EQUAL 8)
        string(REGEX REPLACE "@[0-9]+" "" definitions "${definitions}")
    endif()
    get_filename_component(name ${def_file} NAME_WE)
    set(def ${CMAKE_CURRENT_BINARY_DIR}/${name}.def)
    file(WRITE ${def} "${definitions}")
    set(library ${CMAKE_CURRENT_BINARY_DIR}/lib${name}.a)
    add_custom_command(OUTPUT ${library}
        COMMAND ${MINGW_TRIPLET}-dlltool --input-def ${def} --kill-at --output-delaylib ${library}
        DEPENDS ${def_file}
        VERBATIM)
    add_custom_target(${target}_library DEPENDS ${library})
    add_library(${target} STATIC IMPORTED)
    set_target_properties(${target} PROPERTIES IMPORTED_LOCATION ${library})
    add_dependencies(${target} ${target}_library)
endfunction()
