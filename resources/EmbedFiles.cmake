# Writes a C++ source that holds files as byte arrays and lists them as resources.
# Run at build time:
#   cmake -DOUTPUT=<file.cpp> -DSOURCE_DIR=<dir> -DENTRIES=<id:Type:file,...> -P EmbedFiles.cmake
# Type is a plat::ResourceType name; files are relative to SOURCE_DIR.

string(REPLACE "," ";" entries "${ENTRIES}")
string(REPEAT "[0-9a-f]" 32 sixteen_bytes)  # a line of the arrays
set(arrays "")
set(table "")
set(index 0)
foreach(entry IN LISTS entries)
    string(REPLACE ":" ";" fields "${entry}")
    list(GET fields 0 id)
    list(GET fields 1 type)
    list(GET fields 2 file)
    file(READ "${SOURCE_DIR}/${file}" hex HEX)
    if(hex STREQUAL "")
        message(FATAL_ERROR "EmbedFiles: ${file} is empty")
    endif()
    string(REGEX REPLACE "(${sixteen_bytes})" "\\1\n    " hex "${hex}")
    string(REGEX REPLACE "([0-9a-f][0-9a-f])" "0x\\1," bytes "${hex}")
    string(APPEND arrays "// ${file}\nconst unsigned char kFile${index}[] = {\n    ${bytes}\n};\n\n")
    string(APPEND table "        {${id}, plat::ResourceType::${type}, std::as_bytes(std::span(kFile${index}))},\n")
    math(EXPR index "${index} + 1")
endforeach()

set(source "// Generated at build time by resources/EmbedFiles.cmake; do not edit.

#include <span>

#include \"resources/LibraryResources.h\"

namespace {

${arrays}}  // namespace

std::vector<plat::ResourceEntry> EmbeddedPictures() {
    return {
${table}    };
}
")

file(WRITE "${OUTPUT}" "${source}")
