# Compiler settings shared by every target of the project.

add_compile_options(-Wall -Wextra)
if(QUARNEL_WERROR)
    add_compile_options(-Werror)
endif()

if(QUARNEL_SANITIZE)
    if(WIN32)
        message(FATAL_ERROR "The sanitizers are not available for the MinGW-w64 build")
    endif()
    add_compile_options(-fsanitize=address,undefined -fno-omit-frame-pointer -fno-sanitize-recover=undefined)
    add_link_options(-fsanitize=address,undefined)
endif()

# Coverage feedback for the libFuzzer targets in every library they link.
if(QUARNEL_FUZZ)
    if(NOT CMAKE_CXX_COMPILER_ID STREQUAL "Clang")
        message(FATAL_ERROR "The fuzz targets need clang (CMAKE_CXX_COMPILER=clang++)")
    endif()
    add_compile_options(-fsanitize=fuzzer-no-link)
endif()

if(MINGW)
    # Without Qt: self-contained executables, so that Wine needs no MinGW runtime DLLs
    # beside them. With Qt, whose DLLs use the shared MinGW runtime, every program uses it
    # too (one C++ runtime in the process), and the runtime DLLs are deployed beside them.
    if(NOT QUARNEL_QT)
        add_link_options(-static -static-libgcc -static-libstdc++)
    endif()
    add_compile_definitions(WIN32_LEAN_AND_MEAN NOMINMAX UNICODE _UNICODE _WIN32_WINNT=0x0A00)
endif()
