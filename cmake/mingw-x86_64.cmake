# Cross toolchain for the 64-bit Windows build: MinGW-w64 for x86-64 with posix
# threads (scripts/windows/install-deps.sh installs it). Doubles are computed
# in SSE2 registers there already.
#   cmake -DCMAKE_TOOLCHAIN_FILE=cmake/mingw-x86_64.cmake ...

set(CMAKE_SYSTEM_PROCESSOR x86_64)
set(ZELVA_MINGW_PREFIX x86_64-w64-mingw32)
set(ZELVA_WIDL_TARGET -m64)
set(ZELVA_WINE_TLB_DIR /usr/lib/x86_64-linux-gnu/wine/x86_64-windows)  # stdole2.tlb
set(ZELVA_WINEARCH win64)
# Debian's `wine` is the 32-bit loader: it hands a 64-bit program named by its
# path to this one, but starts Wine's own programs (regsvr32, reg, cscript) as
# their 32-bit builds, which see the 32-bit registry view.
set(ZELVA_WINE_LOADER /usr/lib/wine/wine64)

include(${CMAKE_CURRENT_LIST_DIR}/mingw-windows.cmake)
