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
    # Self-contained executables, so that Wine needs no MinGW runtime DLLs beside them.
    add_link_options(-static -static-libgcc -static-libstdc++)
    add_compile_definitions(WIN32_LEAN_AND_MEAN NOMINMAX UNICODE _UNICODE _WIN32_WINNT=0x0A00)
endif()
