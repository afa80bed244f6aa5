# The compiler and linker settings of the project: ostrafel_options, the
# interface target that every target of the project links, and the settings
# that reach every target (language standard, sanitizers, static linking,
# reproducible builds). The switches that choose them are in OstrafelOptions.cmake.
set(CMAKE_CXX_STANDARD 20)
set(CMAKE_CXX_STANDARD_REQUIRED ON)
set(CMAKE_CXX_EXTENSIONS OFF)
set(CMAKE_EXPORT_COMPILE_COMMANDS ON)

# Warnings and definitions of the project's own code: every target of the
# project links this, so the order of add_subdirectory does not matter and
# other people's code (GoogleTest) keeps its own settings.
add_library(ostrafel_options INTERFACE)
target_compile_options(ostrafel_options INTERFACE
    -Wall -Wextra -Wpedantic -Wshadow -Wconversion -Wno-sign-conversion
    $<$<BOOL:${OSTRAFEL_WERROR}>:-Werror>)

if(OSTRAFEL_SANITIZE)
    add_compile_options(-fsanitize=address,undefined -fno-sanitize-recover=all -fno-omit-frame-pointer)
    add_link_options(-fsanitize=address,undefined)
endif()

if(WIN32)
    # Windows Vista (6.0): the oldest system that the manifest and the PE header declare.
    target_compile_definitions(ostrafel_options INTERFACE
        UNICODE _UNICODE WIN32_LEAN_AND_MEAN NOMINMAX _WIN32_WINNT=0x0600 WINVER=0x0600)
    # Every executable stands alone: no libgcc, libstdc++ or winpthread DLL beside it.
    add_link_options(-static -static-libgcc -static-libstdc++)
    # The release settings ship no symbols: the built file is the file users get.
    add_link_options($<$<CONFIG:MinSizeRel>:-s>)
endif()

if(OSTRAFEL_REPRODUCIBLE)
    # The release package is built so that anyone can make the same bytes from the
    # same commit: source and build folders are mapped to fixed names, the linker
    # writes no time stamp, symbols are stripped. Time stamps that remain come from
    # SOURCE_DATE_EPOCH, which tools/release.sh sets to the commit time. The link
    # settings, like the static linking above, reach every executable.
    target_compile_options(ostrafel_options INTERFACE
        -ffile-prefix-map=${CMAKE_SOURCE_DIR}=src -ffile-prefix-map=${CMAKE_BINARY_DIR}=build)
    if(WIN32)
        add_link_options(-Wl,--no-insert-timestamp)
    endif()
    add_link_options(-s)
endif()
