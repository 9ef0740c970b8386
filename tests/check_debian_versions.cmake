# Fails when debian/ names a version that the project (project(VERSION), given as VERSION) has not
# reached: the changelog's top entry, which scripts/debian-changelog.sh brings up to the project's
# version in a package's build, and the symbols file's minimum versions, which stay at the version
# that brought each symbol.
file(STRINGS ${SOURCE_DIR}/debian/changelog top LIMIT_COUNT 1)
if(NOT top MATCHES "^pelmora \\(([0-9.]+)\\) ")
    message(FATAL_ERROR "debian/changelog: its first line names no version of pelmora: ${top}")
endif()
if(CMAKE_MATCH_1 VERSION_GREATER VERSION)
    message(FATAL_ERROR "debian/changelog: its top entry is ${CMAKE_MATCH_1}, newer than "
                        "project(VERSION ${VERSION}) in CMakeLists.txt")
endif()
file(STRINGS ${SOURCE_DIR}/debian/libvantrel1.symbols symbols REGEX "^ [^ ]+@Base ")
if(NOT symbols)
    message(FATAL_ERROR "debian/libvantrel1.symbols: no symbol with a minimum version")
endif()
foreach(symbol IN LISTS symbols)
    string(REGEX REPLACE "^ ([^ ]+) ([^ ]+).*" "\\1;\\2" fields "${symbol}")
    list(GET fields 0 name)
    list(GET fields 1 minimum)
    if(NOT minimum MATCHES "^[0-9.]+$" OR minimum VERSION_GREATER VERSION)
        message(FATAL_ERROR "debian/libvantrel1.symbols: ${name} asks for ${minimum}, which "
                            "project(VERSION ${VERSION}) in CMakeLists.txt has not reached")
    endif()
endforeach()
