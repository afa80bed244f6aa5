# Build switches; the presets in CMakePresets.json set them per configuration.
option(OSTRAFEL_WERROR "Treat warnings as errors" OFF)
option(OSTRAFEL_SANITIZE "Build with AddressSanitizer and UndefinedBehaviorSanitizer" OFF)
option(OSTRAFEL_TESTS "Build the tests" ON)
option(OSTRAFEL_GTEST_FROM_SOURCE "Build GoogleTest from Debian's sources (for -m32)" OFF)
option(OSTRAFEL_BENCH "Build the benchmarks" OFF)
option(OSTRAFEL_FUZZ "Build the libFuzzer targets (clang)" OFF)
option(OSTRAFEL_REPRODUCIBLE "Same bytes from the same sources: no build paths, time stamps or symbols in the output" OFF)
set(OSTRAFEL_NEWS_ORIGIN "https://news.example.com" CACHE STRING
    "Origin (scheme, host, optional port) of the maker's news server")

