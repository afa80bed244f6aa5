# Compiler settings shared by every target of the project.
set(CMAKE_CXX_STANDARD 20)
set(CMAKE_CXX_STANDARD_REQUIRED ON)
set(CMAKE_CXX_EXTENSIONS OFF)
set(CMAKE_EXPORT_COMPILE_COMMANDS ON)

add_compile_options(-Wall -Wextra -Wpedantic -Wshadow -Wconversion -Wno-sign-conversion)
if(OSTRAFEL_WERROR)
    add_compile_options(-Werror)
endif()

if(OSTRAFEL_SANITIZE)
    add_compile_options(-fsanitize=address,undefined -fno-sanitize-recover=all -fno-omit-frame-pointer)
    add_link_options(-fsanitize=address,undefined)
endif()

if(WIN32)
    add_compile_definitions(UNICODE _UNICODE WIN32_LEAN_AND_MEAN NOMINMAX _WIN32_WINNT=0x0A00)
    # Every executable stands alone: no libgcc, libstdc++ or winpthread DLL beside it.
    add_link_options(-static -static-libgcc -static-libstdc++)
    # The release settings ship no symbols: the built file is the file users get.
    add_link_options($<$<CONFIG:MinSizeRel>:-s>)
endif()

if(OSTRAFEL_REPRODUCIBLE)
    # The release package is built so that anyone can make the same bytes from the
    # same commit: source and build folders are mapped to fixed names, the linker
    # writes no time stamp, symbols are stripped. Time stamps that remain come from
    # SOURCE_DATE_EPOCH, which tools/release.sh sets to the commit time.
    add_compile_options(-ffile-prefix-map=${CMAKE_SOURCE_DIR}=src -ffile-prefix-map=${CMAKE_BINARY_DIR}=build)
    if(WIN32)
        add_link_options(-Wl,--no-insert-timestamp)
    endif()
    add_link_options(-s)
endif()
