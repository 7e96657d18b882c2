# 64-bit Windows build of the same sources, used to run the tests under 64-bit
# Wine on kernels that cannot run 32-bit code (ia32 emulation switched off).
set(STEL7_MINGW_PROCESSOR x86_64)
set(STEL7_WINE_LOADER /usr/lib/wine/wine64)
include(${CMAKE_CURRENT_LIST_DIR}/mingw-common.cmake)
