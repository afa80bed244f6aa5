# Native 32-bit build of the portable code, so its arithmetic is checked on i386 too.
set(CMAKE_C_FLAGS_INIT "-m32 -msse2 -mfpmath=sse")
set(CMAKE_CXX_FLAGS_INIT "-m32 -msse2 -mfpmath=sse")
set(CMAKE_EXE_LINKER_FLAGS_INIT "-m32")
set(CMAKE_SHARED_LINKER_FLAGS_INIT "-m32")

# Debian keeps the 32-bit libraries (lib32z1-dev) in /usr/lib32, where CMake does not look.
set(CMAKE_LIBRARY_PATH /usr/lib32)

# A kernel without IA32 emulation cannot start i386 programs: run the tests under qemu-user.
execute_process(COMMAND /lib/ld-linux.so.2 --version RESULT_VARIABLE ostrafel_i386_status
                OUTPUT_QUIET ERROR_QUIET)
if(NOT ostrafel_i386_status EQUAL 0)
    find_program(OSTRAFEL_QEMU_I386 qemu-i386 REQUIRED)
    set(CMAKE_CROSSCOMPILING_EMULATOR ${OSTRAFEL_QEMU_I386})
endif()
