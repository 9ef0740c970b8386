# Fails when any C or C++ source of the project differs from what clang-format makes of it.
file(GLOB_RECURSE sources
    ${SOURCE_DIR}/engine/*.h ${SOURCE_DIR}/engine/*.cpp
    ${SOURCE_DIR}/app/*.h ${SOURCE_DIR}/app/*.cpp
    ${SOURCE_DIR}/tests/*.h ${SOURCE_DIR}/tests/*.cpp ${SOURCE_DIR}/tests/*.c
    ${SOURCE_DIR}/bench/*.h ${SOURCE_DIR}/bench/*.cpp
    ${SOURCE_DIR}/fuzz/*.h ${SOURCE_DIR}/fuzz/*.cpp
    ${SOURCE_DIR}/packaging/*.h ${SOURCE_DIR}/packaging/*.cpp
)
execute_process(COMMAND ${CLANG_FORMAT} --dry-run --Werror ${sources} RESULT_VARIABLE rc)
if(NOT rc EQUAL 0)
    message(FATAL_ERROR "unformatted sources; run: clang-format -i on the files named above")
endif()
