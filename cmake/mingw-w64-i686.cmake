# Cross build for 32-bit Windows, the program that is shipped. Test programs run under 32-bit
# Wine.
set(VANDRELL_MINGW_TRIPLET i686-w64-mingw32)
set(CMAKE_SYSTEM_PROCESSOR i686)
set(VANDRELL_WINE_ARCH win32 CACHE STRING "Wine prefix architecture the tests run in")
include(${CMAKE_CURRENT_LIST_DIR}/mingw-w64-common.cmake)
