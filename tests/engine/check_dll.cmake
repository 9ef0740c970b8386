# Fails unless the Windows library is of the expected format (FORMAT: pei-x86-64, or pei-i386
# for the 32-bit DLL), exports exactly the two searches, by their plain names, and imports from
# nothing but the system's own DLLs (no compiler runtime DLL of its own).
execute_process(COMMAND ${OBJDUMP} -p ${LIBRARY} OUTPUT_VARIABLE headers RESULT_VARIABLE rc)
if(NOT rc EQUAL 0)
    message(FATAL_ERROR "${OBJDUMP} failed on ${LIBRARY}")
endif()

if(NOT headers MATCHES "file format ${FORMAT}\n")
    message(FATAL_ERROR "${LIBRARY} is not of the format ${FORMAT}")
endif()

# The export table follows its heading, one name a line after its index: "[   0] cal_traffic".
string(FIND "${headers}" "[Ordinal/Name Pointer] Table" start)
string(SUBSTRING "${headers}" ${start} -1 table)
string(REPLACE "\n" ";" lines "${table}")
set(exports)
foreach(line IN LISTS lines)
    if(line MATCHES "^[ \t]*\\[ *[0-9]+\\] ([^ ]+)$")
        list(APPEND exports ${CMAKE_MATCH_1})
    elseif(exports AND line STREQUAL "")
        break()
    endif()
endforeach()
list(SORT exports)
if(NOT exports STREQUAL "cal_traffic;cal_trunk")
    message(FATAL_ERROR "exports of ${LIBRARY}: '${exports}'")
endif()

string(REGEX MATCHALL "DLL Name: [^\n]+" imports "${headers}")
set(allowed "^DLL Name: (KERNEL32|msvcrt|ucrtbase|api-ms-win-crt-[a-z0-9-]+)\\.dll$")
foreach(import IN LISTS imports)
    string(TOLOWER "${import}" lower)
    string(TOLOWER "${allowed}" allowed_lower)
    if(NOT lower MATCHES "${allowed_lower}")
        message(FATAL_ERROR "${LIBRARY} needs ${import}")
    endif()
endforeach()
message(STATUS "exports: ${exports}; ${imports}")
