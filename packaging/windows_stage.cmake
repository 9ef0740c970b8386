# What the two Windows installers share (make_installer.cmake, make_msi.cmake): the upgrade code
# that names the product to Windows Installer, the staging of the files they install, and the
# signing of a signed release.
set(upgrade_code 5EA9E785-2955-4238-9581-3B4015E217F1)
include(${CMAKE_CURRENT_LIST_DIR}/stable_files.cmake)

# stage_windows_files(BUILD STAGE): the files of the program's part and of the developers' part as
# the Windows build BUILD installs them, with the icon, into STAGE; and in STAGE/setup, what the
# installers run but do not install.
function(stage_windows_files build stage)
    file(REMOVE_RECURSE ${stage})
    foreach(component program development setup)
        execute_process(COMMAND ${CMAKE_COMMAND} --install ${build} --prefix ${stage}
                                --component ${component}
            OUTPUT_QUIET COMMAND_ERROR_IS_FATAL ANY)
    endforeach()
    file(COPY_FILE ${CMAKE_CURRENT_FUNCTION_LIST_DIR}/../app/resources/pelmora.ico
         ${stage}/pelmora.ico)
endfunction()

# signing_command(VARIABLE): the command that signs a file in place (sign.sh FILE NAME) when
# scripts/release.sh makes a signed release or rebuilds one to check it, and nothing otherwise.
function(signing_command variable)
    set(command)
    if(DEFINED ENV{PELMORA_SIGN_CERT} OR DEFINED ENV{PELMORA_SIGNATURES})
        set(command bash ${CMAKE_CURRENT_FUNCTION_LIST_DIR}/sign.sh)
    endif()
    set(${variable} ${command} PARENT_SCOPE)
endfunction()

# The permissions of an installation's folder outside Program Files, and of any folder the
# installers make above it: owned by the administrators, not inherited; SYSTEM and the
# administrators may do everything, users read and run (FILE_GENERIC_READ | FILE_GENERIC_EXECUTE).
set(PELMORA_LOCKED_FOLDER_SDDL "O:BAD:PAI(A;OICI;FA;;;SY)(A;OICI;FA;;;BA)(A;OICI;0x1200a9;;;BU)")
