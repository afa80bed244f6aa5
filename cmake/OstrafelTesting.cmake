# Test registration: one helper for every test executable of the project.
#
# Natively each GoogleTest case is its own CTest test. Cross-compiled for Windows,
# each executable is one CTest test run under Wine through the emulator wrapper,
# inside one Xvfb display and one persistent wineserver per CTest run (the "wine"
# fixture).
if(NOT OSTRAFEL_TESTS)
    return()
endif()

enable_testing()
include(GoogleTest)

if(CMAKE_CROSSCOMPILING OR OSTRAFEL_GTEST_FROM_SOURCE)
    # Debian ships GoogleTest as sources for other compilers and targets.
    set(INSTALL_GTEST OFF CACHE BOOL "" FORCE)
    set(BUILD_GMOCK OFF CACHE BOOL "" FORCE)
    set(gtest_disable_pthreads OFF CACHE BOOL "" FORCE)
    add_subdirectory(/usr/src/googletest ${CMAKE_BINARY_DIR}/googletest EXCLUDE_FROM_ALL)
    if(NOT TARGET GTest::gtest) # GoogleTest 1.11 and later define the aliases themselves
        add_library(GTest::gtest ALIAS gtest)
        add_library(GTest::gtest_main ALIAS gtest_main)
    endif()
else()
    find_package(GTest REQUIRED)
endif()

set(OSTRAFEL_WINE_DIR ${CMAKE_BINARY_DIR}/wine)
# Seconds a Windows test program may take. The test command raises it where
# 32-bit programs run under qemu-i386: there each program start takes about a
# minute, and the window tests start the program several times.
set(OSTRAFEL_TEST_TIMEOUT 600 CACHE STRING "Seconds a Windows test program may take")
if(WIN32 AND CMAKE_CROSSCOMPILING)
    set(CMAKE_CROSSCOMPILING_EMULATOR ${CMAKE_SOURCE_DIR}/tools/wine-run.sh ${OSTRAFEL_WINE_DIR})
    add_test(NAME wine_session_start
             COMMAND ${CMAKE_SOURCE_DIR}/tools/wine-session.sh start ${OSTRAFEL_WINE_DIR})
    add_test(NAME wine_session_stop
             COMMAND ${CMAKE_SOURCE_DIR}/tools/wine-session.sh stop ${OSTRAFEL_WINE_DIR})
    set_tests_properties(wine_session_start PROPERTIES FIXTURES_SETUP wine TIMEOUT 600)
    set_tests_properties(wine_session_stop PROPERTIES FIXTURES_CLEANUP wine)
endif()

# ostrafel_add_test(<name> SOURCES <files...> [LIBS <targets...>] [SERIAL])
# SERIAL: the test drives windows, the keyboard focus or the clipboard and must
# not run beside another such test.
function(ostrafel_add_test name)
    cmake_parse_arguments(ARG "SERIAL" "" "SOURCES;LIBS" ${ARGN})
    add_executable(${name} ${ARG_SOURCES})
    target_link_libraries(${name} PRIVATE ostrafel_options ${ARG_LIBS} GTest::gtest_main GTest::gtest)
    if(WIN32)
        add_test(NAME ${name} COMMAND ${name})
        # Judged by GoogleTest's own summary, not by the exit status alone: where
        # the 64-bit loader starts a 32-bit test program (under qemu-i386, say),
        # a program that crashed can still come back with 0.
        set_tests_properties(${name} PROPERTIES FIXTURES_REQUIRED wine TIMEOUT ${OSTRAFEL_TEST_TIMEOUT}
            PASS_REGULAR_EXPRESSION "\\[  PASSED  \\] [0-9]+ tests?\\."
            FAIL_REGULAR_EXPRESSION "\\[  FAILED  \\]")
        if(ARG_SERIAL)
            set_tests_properties(${name} PROPERTIES RESOURCE_LOCK wine_desktop)
        endif()
    else()
        gtest_discover_tests(${name} DISCOVERY_TIMEOUT 60)
    endif()
endfunction()
