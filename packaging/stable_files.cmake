# stable_files(DIR): with SOURCE_DATE_EPOCH set, every file and folder under DIR gets that time and
# the permissions a package expects (folders and programs rwxr-xr-x, other files rw-r--r--), so
# that the archives and installers made of DIR are the same whatever the build's time and umask.
# CPack runs this file itself on its staged files before it packs them (CPACK_PRE_BUILD_SCRIPTS).
function(stable_files dir)
    if(NOT DEFINED ENV{SOURCE_DATE_EPOCH})
        return()
    endif()
    execute_process(COMMAND chmod -R u=rwX,go=rX ${dir} COMMAND_ERROR_IS_FATAL ANY)
    execute_process(COMMAND find ${dir} -exec touch -h -d @$ENV{SOURCE_DATE_EPOCH} {} +
        COMMAND_ERROR_IS_FATAL ANY)
endfunction()

if(CPACK_TEMPORARY_INSTALL_DIRECTORY)
    stable_files(${CPACK_TEMPORARY_INSTALL_DIRECTORY})
endif()
