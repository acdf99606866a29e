# Cross toolchain for the 32-bit Windows build: MinGW-w64 for i686 with posix
# threads (scripts/windows/install-deps.sh installs it).
#   cmake -DCMAKE_TOOLCHAIN_FILE=cmake/mingw-i686.cmake ...

set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR i686)

set(ZELVA_MINGW_PREFIX i686-w64-mingw32)
set(CMAKE_C_COMPILER ${ZELVA_MINGW_PREFIX}-gcc-posix)
set(CMAKE_CXX_COMPILER ${ZELVA_MINGW_PREFIX}-g++-posix)
set(CMAKE_RC_COMPILER ${ZELVA_MINGW_PREFIX}-windres)

set(CMAKE_FIND_ROOT_PATH /usr/${ZELVA_MINGW_PREFIX})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)

# Doubles are computed in SSE2 registers, as on 64-bit builds, not in the
# x87's wider ones, so the component and the stand-in host library give the
# same bits as the native build (pinhost.exe's documents are compared with it).
set(CMAKE_C_FLAGS_INIT "-msse2 -mfpmath=sse")
set(CMAKE_CXX_FLAGS_INIT "-msse2 -mfpmath=sse")

# The DLLs and test programs must run on a bare Windows (and Wine) without the
# MinGW runtime DLLs beside them.
set(CMAKE_EXE_LINKER_FLAGS_INIT "-static -static-libgcc -static-libstdc++")
set(CMAKE_SHARED_LINKER_FLAGS_INIT "-static -static-libgcc -static-libstdc++")
set(CMAKE_MODULE_LINKER_FLAGS_INIT "-static -static-libgcc -static-libstdc++")
