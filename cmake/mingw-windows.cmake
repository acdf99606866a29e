# What both cross toolchains share: MinGW-w64 with posix threads, for the
# architecture that cmake/mingw-i686.cmake or cmake/mingw-x86_64.cmake names in
# ZELVA_MINGW_PREFIX before including this file.

set(CMAKE_SYSTEM_NAME Windows)

set(CMAKE_C_COMPILER ${ZELVA_MINGW_PREFIX}-gcc-posix)
set(CMAKE_CXX_COMPILER ${ZELVA_MINGW_PREFIX}-g++-posix)
set(CMAKE_RC_COMPILER ${ZELVA_MINGW_PREFIX}-windres)

set(CMAKE_FIND_ROOT_PATH /usr/${ZELVA_MINGW_PREFIX})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)

# The DLLs and test programs must run on a bare Windows (and Wine) without the
# MinGW runtime DLLs beside them.
set(CMAKE_EXE_LINKER_FLAGS_INIT "-static -static-libgcc -static-libstdc++")
set(CMAKE_SHARED_LINKER_FLAGS_INIT "-static -static-libgcc -static-libstdc++")
set(CMAKE_MODULE_LINKER_FLAGS_INIT "-static -static-libgcc -static-libstdc++")

# Type libraries are compiled for the architecture's system kind (SYS_WIN32 or
# SYS_WIN64), which sets their vtable slot size and the registry subkey
# (win32 or win64) RegisterTypeLib writes them under.
set(ZELVA_WIDL ${ZELVA_MINGW_PREFIX}-widl ${ZELVA_WIDL_TARGET})
# The tests run in a Wine prefix of the same architecture, started by that
# architecture's Wine loader.
set(ZELVA_WINEARCH ${ZELVA_WINEARCH} CACHE STRING "Architecture of the tests' Wine prefix" FORCE)
set(ZELVA_WINE_LOADER ${ZELVA_WINE_LOADER} CACHE STRING "Wine loader of the tests' architecture" FORCE)
