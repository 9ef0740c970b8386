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
    endif()
endforeach()
