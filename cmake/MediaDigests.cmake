# Writes OUTPUT, a C++ header recording the SHA-256 of each product file as
# laid out in MEDIA (the names in FILES, comma-separated), so that Setup.exe,
# and the signature over it, cover the product's files too.
set(rows "")
string(REPLACE "," ";" FILES "${FILES}")
list(LENGTH FILES count)
foreach(name ${FILES})
    file(SHA256 ${MEDIA}/${name} digest)
    string(REGEX REPLACE "([0-9a-f][0-9a-f])" "0x\\1, " bytes "${digest}")
    string(REGEX REPLACE ", $" "" bytes "${bytes}")
    string(APPEND rows "    { \"${name}\", { ${bytes} } }, \\\n")
endforeach()
set(header "// Written by the build from the media as laid out; rebuilt with them.\n#define MEDIA_DIGEST_COUNT ${count}\n#define MEDIA_DIGEST_ROWS \\\n${rows}\n")
# Unchanged digests leave the header, and so the program, as they were.
if(EXISTS ${OUTPUT})
    file(READ ${OUTPUT} previous)
endif()
if(NOT previous STREQUAL header)
    file(WRITE ${OUTPUT} "${header}")
endif()
