# Shared part of the MinGW-w64 cross toolchains. The including file sets
# PIXDECK_MINGW_TRIPLET (i686-w64-mingw32 or x86_64-w64-mingw32) first.
set(CMAKE_SYSTEM_NAME Windows)

# The -posix compilers: the default -win32 thread model has no std::thread
# or std::mutex.
set(CMAKE_C_COMPILER ${PIXDECK_MINGW_TRIPLET}-gcc-posix)
set(CMAKE_CXX_COMPILER ${PIXDECK_MINGW_TRIPLET}-g++-posix)
set(CMAKE_RC_COMPILER ${PIXDECK_MINGW_TRIPLET}-windres)

set(CMAKE_FIND_ROOT_PATH /usr/${PIXDECK_MINGW_TRIPLET})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)

# CLI11 is header-only: the build machine's headers serve the target.
set(CLI11_DIR ${CMAKE_CURRENT_LIST_DIR}/cli11 CACHE PATH "CLI11 for the cross build")

# GCC 12 warns of overlapping copies inside std::string that cannot happen
# (GCC bug 105329), from the optimised standard library only.
set(CMAKE_CXX_FLAGS_INIT "-Wno-restrict")

# Statically linked: the programs need none of the MinGW runtime DLLs beside
# them.
set(CMAKE_EXE_LINKER_FLAGS_INIT "-static -static-libgcc -static-libstdc++")

# Test programs are listed when they run under Wine, not at build time.
set(CMAKE_GTEST_DISCOVER_TESTS_DISCOVERY_MODE PRE_TEST)
