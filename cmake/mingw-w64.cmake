# What the two Windows toolchain files share: Debian's MinGW-w64 compilers of the posix-threads
# variant for PELMORA_MINGW_PREFIX, headers, libraries and packages from the Windows side only,
# and wine to run the test and timing programs: PELMORA_WINE runs this build's programs, 32- or
# 64-bit; PELMORA_WINE64 makes the (64-bit) wine prefixes, which run both.
set(CMAKE_SYSTEM_NAME Windows)

set(CMAKE_C_COMPILER ${PELMORA_MINGW_PREFIX}-gcc-posix)
set(CMAKE_CXX_COMPILER ${PELMORA_MINGW_PREFIX}-g++-posix)
set(CMAKE_RC_COMPILER ${PELMORA_MINGW_PREFIX}-windres)
set(CMAKE_DLLTOOL ${PELMORA_MINGW_PREFIX}-dlltool)

set(CMAKE_FIND_ROOT_PATH /usr/${PELMORA_MINGW_PREFIX})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)

find_program(PELMORA_WINE64 NAMES wine64 PATHS /usr/lib/wine)
find_program(PELMORA_WINESERVER NAMES wineserver PATHS /usr/lib/wine)
