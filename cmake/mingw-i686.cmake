# The delivered 32-bit Windows programs; their tests run under Wine.
set(STEL7_MINGW_PROCESSOR i686)
set(STEL7_WINE_LOADER wine)
include(${CMAKE_CURRENT_LIST_DIR}/mingw-common.cmake)
