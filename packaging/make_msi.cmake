# Makes the Windows Installer package of a Windows build with msitools (wixl, msibuild), beside
# the build's other packages, under the same name and of the same version:
#   cmake -DBUILD=<Windows build> [-DVERSION=<version> -DOUTPUT=<package.msi>] -P make_msi.cmake
# With SOURCE_DATE_EPOCH set, the package is the same to the byte whenever it is made again from
# the same files: its times are that time, and its codes are drawn from its contents.
cmake_minimum_required(VERSION 3.25)
include(${CMAKE_CURRENT_LIST_DIR}/windows_stage.cmake)
include(${BUILD}/CPackConfig.cmake)
set(product_name ${CPACK_COMPONENT_PROGRAM_DISPLAY_NAME})
set(downgrade_message "${product_name} の新しいバージョンがすでにインストールされています。")
set(installer_message "${product_name} は、インストーラー (Pelmora-<バージョン>-win64.exe) でインストールされています。この MSI パッケージでインストールするには、先に Windows の設定の「インストールされているアプリ」(Windows 10 では「アプリと機能」) からアンインストールしてください。")
if(NOT VERSION)
    set(VERSION ${CPACK_PACKAGE_VERSION})
    set(OUTPUT ${BUILD}/${CPACK_PACKAGE_FILE_NAME}.msi)
endif()
set(maker ${CPACK_PACKAGE_VENDOR})
set(development_title ${CPACK_COMPONENT_DEVELOPMENT_DISPLAY_NAME})
set(wxs ${CMAKE_CURRENT_LIST_DIR}/pelmora.wxs)

# pe_version(FILE VARIABLE): the file version of a program or DLL's version record (the fixed part
# after its signature, 0xFEEF04BD), as a.b.c.d.
function(pe_version file variable)
    file(READ ${file} bytes HEX)
    set(from 0)
    while(TRUE)
        string(SUBSTRING "${bytes}" ${from} -1 rest)
        string(FIND "${rest}" "bd04effe" at)
        if(at EQUAL -1)
            message(FATAL_ERROR "${file} has no version record")
        endif()
        math(EXPR from "${from} + ${at}")
        math(EXPR odd "${from} % 2")
        if(odd EQUAL 0)
            break()
        endif()
        math(EXPR from "${from} + 1")
    endwhile()
    # The signature and the structure's version, then the version's high and low double words,
    # each little-endian: a 16-bit field at every 4 hex digits.
    set(fields)
    foreach(offset 20 16 28 24)
        math(EXPR at "${from} + ${offset}")
        string(SUBSTRING "${bytes}" ${at} 4 word)
        string(SUBSTRING "${word}" 2 2 high)
        string(SUBSTRING "${word}" 0 2 low)
        math(EXPR field "0x${high}${low}")
        list(APPEND fields ${field})
    endforeach()
    list(JOIN fields . version)
    set(${variable} ${version} PARENT_SCOPE)
endfunction()

find_program(WIXL wixl REQUIRED)
find_program(MSIBUILD msibuild REQUIRED)
get_filename_component(stage ${OUTPUT}.files ABSOLUTE)
get_filename_component(output_folder ${OUTPUT} DIRECTORY)
file(MAKE_DIRECTORY ${output_folder})
stage_windows_files(${BUILD} ${stage})
# wixl takes no text but ASCII on its command line: the Japanese texts are defined in a file.
file(WRITE ${stage}/texts.wxi "<?xml version=\"1.0\" encoding=\"utf-8\"?>\n<Include>
  <?define Manufacturer = \"${maker}\" ?>
  <?define ProductName = \"${product_name}\" ?>
  <?define DevelopmentTitle = \"${development_title}\" ?>
  <?define DowngradeMessage = \"${downgrade_message}\" ?>
</Include>\n")
stable_files(${stage})
# The version as one number, a byte a field, which a condition compares as a number.
string(REPLACE "." ";" fields ${VERSION})
list(GET fields 0 version_number)
foreach(field IN LISTS fields)
    if(field GREATER 255 OR version_number GREATER 127)
        message(FATAL_ERROR "The version ${VERSION} does not fit in one number")
    endif()
endforeach()
set(version_number 0)
foreach(field IN LISTS fields)
    math(EXPR version_number "${version_number} * 256 + ${field}")
endforeach()
pe_version(${stage}/Pelmora.exe program_version)
pe_version(${stage}/vantrel.dll engine_version)
pe_version(${stage}/x86/vantrel.dll engine32_version)
# The product and package codes are drawn from what the package holds and how it is made, so that
# the same files give the same codes and other files other codes: a version made again with other
# contents is another product, which replaces the one installed.
file(GLOB_RECURSE files LIST_DIRECTORIES false RELATIVE ${stage} ${stage}/*)
list(SORT files)
execute_process(COMMAND ${WIXL} --version OUTPUT_VARIABLE contents COMMAND_ERROR_IS_FATAL ANY)
string(APPEND contents " ${VERSION} $ENV{SOURCE_DATE_EPOCH}")
foreach(file IN LISTS files ITEMS ${wxs} ${CMAKE_CURRENT_LIST_FILE}
                                  ${CMAKE_CURRENT_LIST_DIR}/msi_tables.sql)
    if(NOT IS_ABSOLUTE ${file})
        set(file ${stage}/${file})
    endif()
    file(SHA256 ${file} hash)
    string(APPEND contents " ${hash}")
endforeach()
string(UUID product_code NAMESPACE ${upgrade_code} NAME "product ${contents}" TYPE SHA1 UPPER)
string(UUID package_code NAMESPACE ${upgrade_code} NAME "package ${contents}" TYPE SHA1 UPPER)

# wixl and msibuild write the time of the day into the package's summary; the clock they see is
# stopped at SOURCE_DATE_EPOCH.
set(clock)
if(DEFINED ENV{SOURCE_DATE_EPOCH})
    find_program(FAKETIME faketime REQUIRED)
    string(TIMESTAMP now "%Y-%m-%d %H:%M:%S" UTC)
    set(clock env TZ=UTC ${FAKETIME} -f ${now})
endif()

execute_process(COMMAND ${clock} ${WIXL} --arch x64 -D Version=${VERSION}
                        -D VersionNumber=${version_number} -D UpgradeCode=${upgrade_code}
                        -D ProductCode=${product_code}
                        -o ${OUTPUT} ${wxs}
    WORKING_DIRECTORY ${stage} COMMAND_ERROR_IS_FATAL ANY)

# The database is given the Japanese code page, then the edits of msi_tables.sql. The summary is
# written whole, with the package code, and its subject (the product's name and version) and maker
# in that code page: msibuild stores the summary's texts byte for byte.
file(WRITE ${stage}.codepage/_ForceCodepage.idt "\r\n\r\n932\t_ForceCodepage\r\n")
file(STRINGS ${CMAKE_CURRENT_LIST_DIR}/msi_tables.sql statements ENCODING UTF-8 REGEX "^[A-Z]")
set(queries)
foreach(statement IN LISTS statements)
    string(CONFIGURE "${statement}" statement @ONLY)
    # A semicolon in a statement is not a list's.
    string(REPLACE ";" "\\;" statement "${statement}")
    list(APPEND queries -q "${statement}")
endforeach()
set(subject "${product_name} ${VERSION}")
foreach(text maker subject)
    file(WRITE ${stage}.codepage/${text} "${${text}}")
    execute_process(COMMAND iconv -f UTF-8 -t CP932 ${stage}.codepage/${text}
        OUTPUT_VARIABLE summary_${text} COMMAND_ERROR_IS_FATAL ANY)
endforeach()
execute_process(COMMAND ${clock} ${MSIBUILD} ${OUTPUT} -i ${stage}.codepage/_ForceCodepage.idt
                        ${queries}
                        -s "${summary_subject}" "${summary_maker}" "x64;1041" "{${package_code}}"
    COMMAND_ERROR_IS_FATAL ANY)
file(REMOVE_RECURSE ${stage} ${stage}.codepage)
signing_command(sign)
if(sign)
    get_filename_component(name ${OUTPUT} NAME)
    execute_process(COMMAND ${sign} ${OUTPUT} ${name} COMMAND_ERROR_IS_FATAL ANY)
endif()
message(STATUS "Made ${OUTPUT}")
