# Settings shared by every target of our own code.

function(korvent_warnings target)
    target_compile_options(${target} PRIVATE -Wall -Wextra -Werror)
endfunction()

# A library for one folder of src/: sources given, headers found through "src/".
function(korvent_library name)
    cmake_parse_arguments(ARG "" "" "SOURCES" ${ARGN})
    add_library(${name} STATIC ${ARG_SOURCES})
    target_include_directories(${name} PUBLIC ${PROJECT_SOURCE_DIR}/src)
    korvent_warnings(${name})
endfunction()
