cmake_policy(SET CMP0057 NEW)
# Fails unless each binary (given as PATH=FORMAT) is a hardened PE of that
# format that imports at start only DLLs the system takes from its own folder
# whatever lies beside the program (known DLLs, and comctl32 through the
# manifest): no libstdc++, libgcc or winpthread, and no shell32 or ole32,
# whose own imports Wine looks for beside the program before our hardening
# runs (they are delay-loaded). Each stays within 56 KB, and neither it nor
# its link map (Setup.map beside it) holds a trace of the C++ runtime's
# exception machinery, which would bring back a hundred kilobytes. The
# program has its own entry, which applies no pseudo-relocations: it needs
# none.
set(SIZE_LIMIT 57344)
# Archive members pulled into the program, and the runtime's own symbols.
set(EXCEPTION_RUNTIME "(libgcc_eh|libwinpthread|libpthread)\\.a\\(|libstdc\\+\\+\\.a\\((eh_|vterminate|cp-demangle|new_op)|__gxx_personality|_Unwind_|__cxa_|__emutls")
set(ALLOWED kernel32.dll user32.dll gdi32.dll advapi32.dll comctl32.dll msvcrt.dll)
foreach(entry ${BINARIES})
    string(REGEX REPLACE "=.*" "" binary "${entry}")
    string(REGEX REPLACE ".*=" "" format "${entry}")
    # objdump speaks the locale's language; its English is what we read.
    execute_process(COMMAND ${CMAKE_COMMAND} -E env LC_ALL=C ${OBJDUMP} -p ${binary}
                    OUTPUT_VARIABLE dump RESULT_VARIABLE failed)
    if(failed)
        message(FATAL_ERROR "cannot read ${binary}")
    endif()
    if(NOT dump MATCHES "file format ${format}\n")
        message(FATAL_ERROR "${binary} is not ${format}")
    endif()
    string(REGEX MATCHALL "DLL Name: [^\n]+" imports "${dump}")
    set(names "")
    foreach(import ${imports})
        string(REPLACE "DLL Name: " "" name "${import}")
        string(TOLOWER "${name}" name)
        list(APPEND names ${name})
        if(NOT name IN_LIST ALLOWED)
            message(FATAL_ERROR "${binary} imports ${name}")
        endif()
    endforeach()
    if(NOT dump MATCHES "DllCharacteristics[^\n]*\n([^\n]*\n)*[^\n]*DYNAMIC_BASE" OR NOT dump MATCHES "NX_COMPAT")
        message(FATAL_ERROR "${binary} lacks ASLR or DEP")
    endif()
    file(SIZE ${binary} size)
    if(size GREATER SIZE_LIMIT)
        message(FATAL_ERROR "${binary} is ${size} bytes, over ${SIZE_LIMIT}")
    endif()
    get_filename_component(folder ${binary} DIRECTORY)
    file(READ ${folder}/Setup.map map)
    if(map MATCHES "(${EXCEPTION_RUNTIME})[^\n]*")
        message(FATAL_ERROR "${folder}/Setup.map links the exception runtime: ${CMAKE_MATCH_0}")
    endif()
    string(REGEX MATCH "(0x[0-9a-f]+) +__RUNTIME_PSEUDO_RELOC_LIST_END__" listEnd "${map}")
    set(listEnd ${CMAKE_MATCH_1})
    string(REGEX MATCH "(0x[0-9a-f]+) +__RUNTIME_PSEUDO_RELOC_LIST__ " listStart "${map}")
    if(NOT listEnd OR NOT CMAKE_MATCH_1 STREQUAL listEnd)
        message(FATAL_ERROR "${binary} needs pseudo-relocations, which its entry does not apply")
    endif()
    file(STRINGS ${binary} runtimeTexts REGEX "terminate called|__gnu_cxx")
    if(runtimeTexts)
        message(FATAL_ERROR "${binary} holds the exception runtime's texts: ${runtimeTexts}")
    endif()
    message(STATUS "${binary}: ${format}, ${size} bytes, imports ${names}")
endforeach()
