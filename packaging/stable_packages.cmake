# CPack runs this on the packages it has made (CPACK_POST_BUILD_SCRIPTS). With SOURCE_DATE_EPOCH
# set, what the file system they were made on decides is taken out of them, so that they are the
# same whatever it is.
if(NOT DEFINED ENV{SOURCE_DATE_EPOCH})
    return()
endif()
foreach(package IN LISTS CPACK_PACKAGE_FILES)
    if(package MATCHES "\\.zip$")
        # The members come in the order the file system lists the folders: sorted by name here,
        # at the release's time.
        execute_process(COMMAND strip-nondeterminism --type zip
                                --timestamp $ENV{SOURCE_DATE_EPOCH} ${package}
            OUTPUT_QUIET COMMAND_ERROR_IS_FATAL ANY)
    elseif(package MATCHES "\\.deb$")
        # Installed-Size adds up the folders' sizes on this file system: counted again as
        # dpkg-gencontrol counts (regular files in KiB, rounded up; one for anything else), and the
        # package made again by dpkg-deb, whose output depends on nothing else.
        set(tree ${package}.tree)
        file(REMOVE_RECURSE ${tree})
        execute_process(COMMAND dpkg-deb --raw-extract ${package} ${tree} COMMAND_ERROR_IS_FATAL ANY)
        file(GLOB_RECURSE entries LIST_DIRECTORIES true ${tree}/*)
        set(size 0)
        foreach(entry IN LISTS entries)
            if(entry MATCHES "/DEBIAN(/|$)")
                continue()
            elseif(IS_SYMLINK ${entry} OR IS_DIRECTORY ${entry})
                math(EXPR size "${size} + 1")
            else()
                file(SIZE ${entry} bytes)
                math(EXPR size "${size} + (${bytes} + 1023) / 1024")
            endif()
        endforeach()
        file(READ ${tree}/DEBIAN/control control)
        string(REGEX REPLACE "Installed-Size: [0-9]+" "Installed-Size: ${size}" control "${control}")
        file(WRITE ${tree}/DEBIAN/control "${control}")
        execute_process(COMMAND dpkg-deb --root-owner-group -Zgzip --build ${tree} ${package}
            OUTPUT_QUIET COMMAND_ERROR_IS_FATAL ANY)
        file(REMOVE_RECURSE ${tree})
    endif()
endforeach()
