# Cross-compilation to 64-bit Windows with Debian's MinGW-w64 (posix thread model, so
# that std::thread and std::mutex are available). Test programs run under Wine.
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR x86_64)

set(CMAKE_C_COMPILER x86_64-w64-mingw32-gcc-posix)
set(CMAKE_CXX_COMPILER x86_64-w64-mingw32-g++-posix)
set(CMAKE_RC_COMPILER x86_64-w64-mingw32-windres)

# QUARNEL_WINDOWS_DEPS (a variable or the environment): the folder where
# tools/windows/build-windows-deps put Qt, OpenSSL and tinyxml2 for Windows.
if(NOT QUARNEL_WINDOWS_DEPS AND DEFINED ENV{QUARNEL_WINDOWS_DEPS})
    set(QUARNEL_WINDOWS_DEPS $ENV{QUARNEL_WINDOWS_DEPS})
endif()
set(CMAKE_FIND_ROOT_PATH /usr/x86_64-w64-mingw32)
if(QUARNEL_WINDOWS_DEPS)
    list(APPEND CMAKE_FIND_ROOT_PATH ${QUARNEL_WINDOWS_DEPS}/qt ${QUARNEL_WINDOWS_DEPS}/tinyxml2
         ${QUARNEL_WINDOWS_DEPS}/openssl)
endif()
list(APPEND CMAKE_TRY_COMPILE_PLATFORM_VARIABLES QUARNEL_WINDOWS_DEPS)
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)

set(CMAKE_CROSSCOMPILING_EMULATOR ${CMAKE_CURRENT_LIST_DIR}/wine-run.sh)
