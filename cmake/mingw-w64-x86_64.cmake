# Cross build for 64-bit Windows. The shipped program is the 32-bit build; this one runs the
# same sources' tests under 64-bit Wine on machines whose kernel cannot execute 32-bit code.
set(VANDRELL_MINGW_TRIPLET x86_64-w64-mingw32)
set(CMAKE_SYSTEM_PROCESSOR x86_64)
set(VANDRELL_WINE_ARCH win64 CACHE STRING "Wine prefix architecture the tests run in")
include(${CMAKE_CURRENT_LIST_DIR}/mingw-w64-common.cmake)
