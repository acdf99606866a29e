# Cross toolchain for the 32-bit Windows build: MinGW-w64 for i686 with posix
# threads (scripts/windows/install-deps.sh installs it).
#   cmake -DCMAKE_TOOLCHAIN_FILE=cmake/mingw-i686.cmake ...

set(CMAKE_SYSTEM_PROCESSOR i686)
set(ZELVA_MINGW_PREFIX i686-w64-mingw32)
set(ZELVA_WIDL_TARGET -m32)
set(ZELVA_WINE_TLB_DIR /usr/lib/i386-linux-gnu/wine/i386-windows)  # stdole2.tlb
set(ZELVA_WINEARCH win32)
set(ZELVA_WINE_LOADER wine)

# Doubles are computed in SSE2 registers, as on 64-bit builds, not in the
# x87's wider ones, so the component and the stand-in host library give the
# same bits as the native build (pinhost.exe's documents are compared with it).
set(CMAKE_C_FLAGS_INIT "-msse2 -mfpmath=sse")
set(CMAKE_CXX_FLAGS_INIT "-msse2 -mfpmath=sse")

include(${CMAKE_CURRENT_LIST_DIR}/mingw-windows.cmake)
