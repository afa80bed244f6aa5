# Turns a file into a C++ source that returns its bytes.
#
# Include this file and call
#   ostrafel_embed_file(<target> <input file> <function name> <header to include>)
# to add a generated source to <target> that defines
#   std::span<const unsigned char> <function name>()
# and is made again whenever the input changes.
#
# Run as a script, it writes that source:
#   cmake -DINPUT=... -DOUTPUT=... -DFUNCTION=... -DHEADER=... -P EmbedFile.cmake

if(CMAKE_SCRIPT_MODE_FILE)
    file(READ "${INPUT}" hex HEX)
    string(LENGTH "${hex}" digits)
    math(EXPR size "${digits} / 2")
    string(REGEX REPLACE "([0-9a-f][0-9a-f])" "0x\\1," bytes "${hex}")
    string(REGEX REPLACE "((0x[0-9a-f][0-9a-f],){16})" "\\1\n    " bytes "${bytes}")
    if(size EQUAL 0)
        set(bytes "0")
    endif()
    get_filename_component(name "${INPUT}" NAME)
    file(WRITE "${OUTPUT}.tmp"
"// Made by EmbedFile.cmake from ${name}; do not edit.
#include \"${HEADER}\"

namespace {
const unsigned char kData[] = {
    ${bytes}
};
}

std::span<const unsigned char> ${FUNCTION}() { return {kData, ${size}}; }
")
    file(COPY_FILE "${OUTPUT}.tmp" "${OUTPUT}" ONLY_IF_DIFFERENT)
    file(REMOVE "${OUTPUT}.tmp")
    return()
endif()

set(OSTRAFEL_EMBED_SCRIPT ${CMAKE_CURRENT_LIST_FILE})

function(ostrafel_embed_file target input function header)
    set(output ${CMAKE_CURRENT_BINARY_DIR}/${function}.cpp)
    add_custom_command(
        OUTPUT ${output}
        COMMAND ${CMAKE_COMMAND} -DINPUT=${input} -DOUTPUT=${output} -DFUNCTION=${function}
                -DHEADER=${header} -P ${OSTRAFEL_EMBED_SCRIPT}
        DEPENDS ${input} ${OSTRAFEL_EMBED_SCRIPT}
        COMMENT "Embedding ${input}"
        VERBATIM)
    target_sources(${target} PRIVATE ${output})
endfunction()
