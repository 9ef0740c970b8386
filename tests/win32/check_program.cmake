# Fails unless Pelmora.exe imports, at load time, only Known DLLs, which Windows takes from its own
# folder whatever lies beside the program, and the common controls, which its manifest takes from
# the side-by-side store; any other DLL, UxTheme.dll say, Windows would look for first in the
# program's folder, before the program could forbid it, so that one planted beside a download would
# be loaded. And the program and its engine DLL together stay under 3 MB.
execute_process(COMMAND ${OBJDUMP} -p ${PROGRAM} OUTPUT_VARIABLE headers RESULT_VARIABLE rc)
if(NOT rc EQUAL 0)
    message(FATAL_ERROR "${OBJDUMP} failed on ${PROGRAM}")
endif()
string(REGEX MATCHALL "DLL Name: [^\n]+" imports "${headers}")
# The Known DLLs of Windows 10 and 11 that Windows 7 knows as well.
set(known advapi32 clbcatq comdlg32 gdi32 imagehlp imm32 kernel32 msctf msvcrt normaliz nsi ole32
    oleaut32 psapi rpcrt4 sechost setupapi shell32 shlwapi user32 wldap32 ws2_32)
list(JOIN known "|" known)
set(allowed "^dll name: (${known}|comctl32)\\.dll$")
foreach(import IN LISTS imports)
    string(TOLOWER "${import}" lower)
    if(NOT lower MATCHES "${allowed}")
        message(FATAL_ERROR "${PROGRAM} needs ${import}")
    endif()
endforeach()
file(SIZE ${PROGRAM} program_size)
file(SIZE ${LIBRARY} library_size)
math(EXPR total "${program_size} + ${library_size}")
if(total GREATER_EQUAL 3145728)
    message(FATAL_ERROR "program and DLL take ${total} bytes")
endif()
message(STATUS "${imports}; program and DLL: ${total} bytes")
