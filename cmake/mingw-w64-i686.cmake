# Cross-builds the engine for 32-bit Windows with Debian's MinGW-w64 compilers (packages
# g++-mingw-w64-i686-posix and binutils-mingw-w64-i686), for 32-bit callers such as 32-bit Office.
# The program stays 64-bit. Test and timing programs run under Debian's wine32 (i386), in a 64-bit
# prefix, which runs 32-bit programs once wine32 is installed.
set(CMAKE_SYSTEM_PROCESSOR x86)
set(PELMORA_MINGW_PREFIX i686-w64-mingw32)
include(${CMAKE_CURRENT_LIST_DIR}/mingw-w64.cmake)
find_program(PELMORA_WINE NAMES wine PATHS /usr/lib/wine NO_DEFAULT_PATH)

# Doubles are computed by SSE2, as in the 64-bit DLL: x87 arithmetic would answer differently
# under a caller's 53-bit and 64-bit precision, and differently from the 64-bit DLL either way.
set(CMAKE_C_FLAGS_INIT "-msse2 -mfpmath=sse")
set(CMAKE_CXX_FLAGS_INIT "-msse2 -mfpmath=sse")
set(PELMORA_BUILD_PROGRAM OFF CACHE BOOL "Build the program Pelmora (the Windows program is 64-bit)")
