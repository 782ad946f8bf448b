# What both mingw-w64 toolchain files share; each sets VANDRELL_MINGW_TRIPLET, the processor
# and the Wine architecture its test programs run under, then includes this file. The -posix
# compilers are used because std::mutex, which GoogleTest needs, is missing from -win32.
set(CMAKE_SYSTEM_NAME Windows)

set(CMAKE_C_COMPILER ${VANDRELL_MINGW_TRIPLET}-gcc-posix)
set(CMAKE_CXX_COMPILER ${VANDRELL_MINGW_TRIPLET}-g++-posix)
set(CMAKE_RC_COMPILER ${VANDRELL_MINGW_TRIPLET}-windres)
set(CMAKE_FIND_ROOT_PATH /usr/${VANDRELL_MINGW_TRIPLET})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)

set(CMAKE_CROSSCOMPILING_EMULATOR "${CMAKE_CURRENT_LIST_DIR}/../scripts/wine-run.sh")
