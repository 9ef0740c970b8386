# Makes the Windows installer (NSIS) of a Windows build, beside the build's other packages:
#   cmake -DBUILD=<Windows build> -P make_installer.cmake
# With SOURCE_DATE_EPOCH set, the installer is the same to the byte whenever it is made again from
# the same files: every file it packs has that time.
cmake_minimum_required(VERSION 3.25)
include(${CMAKE_CURRENT_LIST_DIR}/windows_stage.cmake)
include(${BUILD}/CPackConfig.cmake)
find_program(MAKENSIS makensis REQUIRED)
set(name ${CPACK_PACKAGE_FILE_NAME}.exe)
set(stage ${BUILD}/${name}.files)
stage_windows_files(${BUILD} ${stage})
file(COPY_FILE ${CMAKE_CURRENT_LIST_DIR}/pelmora.nsi ${stage}/pelmora.nsi)

# makensis runs in the folder of the files, and reads every text that is not ASCII from a file.
set(defines "!define VERSION \"${CPACK_PACKAGE_VERSION}\"
!define OUTNAME \"${name}\"
!define MAKER \"${CPACK_PACKAGE_VENDOR}\"
!define CONTACT \"${CPACK_PACKAGE_CONTACT}\"
!define COPYRIGHT \"${CPACK_PELMORA_COPYRIGHT}\"
!define PROGRAM_TITLE \"${CPACK_COMPONENT_PROGRAM_DISPLAY_NAME}\"
!define DEVELOPMENT_TITLE \"${CPACK_COMPONENT_DEVELOPMENT_DISPLAY_NAME}\"
!define UPGRADE_CODE \"${upgrade_code}\"
")
signing_command(sign)
if(sign)
    list(JOIN sign "\" \"" sign)
    string(APPEND defines "!define SIGN '\"${sign}\"'\n")
endif()
file(WRITE ${stage}/defines.nsh "${defines}")
stable_files(${stage})

execute_process(COMMAND ${MAKENSIS} -V2 -INPUTCHARSET UTF8 pelmora.nsi
    WORKING_DIRECTORY ${stage} COMMAND_ERROR_IS_FATAL ANY)
file(RENAME ${stage}/${name} ${BUILD}/${name})
file(REMOVE_RECURSE ${stage})
message(STATUS "Made ${BUILD}/${name}")
