# Cross-builds for 64-bit Windows with Debian's MinGW-w64 compilers (the posix-threads variant;
# packages g++-mingw-w64-x86-64-posix and binutils-mingw-w64-x86-64). Test and timing programs
# run under Debian's wine64.
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR x86_64)

set(PELMORA_MINGW_PREFIX x86_64-w64-mingw32)
set(CMAKE_C_COMPILER ${PELMORA_MINGW_PREFIX}-gcc-posix)
set(CMAKE_CXX_COMPILER ${PELMORA_MINGW_PREFIX}-g++-posix)
set(CMAKE_RC_COMPILER ${PELMORA_MINGW_PREFIX}-windres)

# Headers, libraries and packages come from the Windows side only; programs from the host.
set(CMAKE_FIND_ROOT_PATH /usr/${PELMORA_MINGW_PREFIX})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)

find_program(PELMORA_WINE64 NAMES wine64 PATHS /usr/lib/wine)
find_program(PELMORA_WINESERVER NAMES wineserver PATHS /usr/lib/wine)
