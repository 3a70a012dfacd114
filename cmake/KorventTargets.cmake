# Settings shared by every target of our own code.

function(korvent_warnings target)
    target_compile_options(${target} PRIVATE -Wall -Wextra -Werror
        # GCC 12 reports impossible overlaps in inlined std::string code at -O2 and above
        # (GCC bug 105329); the warning says nothing about our code.
        $<$<CXX_COMPILER_ID:GNU>:-Wno-restrict>
        # GCC 12 also reports members left out of designated initializers as missing (GCC
        # bug 96868), which is how the tests' case tables are written.
        $<$<CXX_COMPILER_ID:GNU>:-Wno-missing-field-initializers>)
endfunction()

# An executable of ours: on Windows it carries the manifest that makes its code page UTF-8.
function(korvent_executable name)
    add_executable(${name} ${ARGN})
    if(WIN32)
        target_sources(${name} PRIVATE ${PROJECT_SOURCE_DIR}/cmake/Utf8CodePage.rc)
    endif()
    korvent_warnings(${name})
endfunction()

# A library for one folder of src/: sources given, headers found through "src/".
function(korvent_library name)
    cmake_parse_arguments(ARG "" "" "SOURCES" ${ARGN})
    add_library(${name} STATIC ${ARG_SOURCES})
    target_include_directories(${name} PUBLIC ${PROJECT_SOURCE_DIR}/src)
    korvent_warnings(${name})
endfunction()
