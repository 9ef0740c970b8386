# Cross-builds for 64-bit Windows with Debian's MinGW-w64 compilers (packages
# g++-mingw-w64-x86-64-posix and binutils-mingw-w64-x86-64). Test and timing programs run under
# Debian's wine64.
set(CMAKE_SYSTEM_PROCESSOR x86_64)
set(PELMORA_MINGW_PREFIX x86_64-w64-mingw32)
include(${CMAKE_CURRENT_LIST_DIR}/mingw-w64.cmake)
set(PELMORA_WINE ${PELMORA_WINE64})
