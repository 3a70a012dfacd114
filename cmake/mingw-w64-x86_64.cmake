# Cross-compiling for 64-bit Windows with MinGW-w64 (the posix thread model, which std::thread
# and std::mutex need). Libraries come only from the prefix that
# scripts/build-mingw-deps.sh fills, never from the build machine.
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR x86_64)
set(CMAKE_C_COMPILER x86_64-w64-mingw32-gcc-posix)
set(CMAKE_CXX_COMPILER x86_64-w64-mingw32-g++-posix)
set(CMAKE_RC_COMPILER x86_64-w64-mingw32-windres)

if(NOT KORVENT_MINGW_PREFIX)
    if(DEFINED ENV{KORVENT_MINGW_PREFIX})
        set(KORVENT_MINGW_PREFIX $ENV{KORVENT_MINGW_PREFIX})
    else()
        set(KORVENT_MINGW_PREFIX $ENV{HOME}/.cache/korvent-mingw/prefix)
    endif()
endif()
set(CMAKE_FIND_ROOT_PATH /usr/x86_64-w64-mingw32 ${KORVENT_MINGW_PREFIX})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)
set(ENV{PKG_CONFIG_LIBDIR} ${KORVENT_MINGW_PREFIX}/lib/pkgconfig)
set(ENV{PKG_CONFIG_PATH} "")

# Everything static, so that the programs and plug-ins run without a DLL search.
set(CMAKE_EXE_LINKER_FLAGS_INIT -static)
set(CMAKE_SHARED_LINKER_FLAGS_INIT -static)
set(CMAKE_MODULE_LINKER_FLAGS_INIT -static)
