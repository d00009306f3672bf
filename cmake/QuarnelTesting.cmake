# Test helpers.
#
#   add_unit_test(NAME name SOURCES files... [LIBS libs...] [LABELS labels...]
#                 [ENVIRONMENT VAR=value...] [ARGS args...] [TIMEOUT seconds] [GTEST] [API_SIM])
#
# Builds one test program and registers it with CTest. Without GTEST the program is a
# Qt Test program; with GTEST it uses GoogleTest (the Qt-free tests, which also run
# under Wine in the MinGW-w64 build). Every test runs with the offscreen Qt platform,
# private Wine prefix and strict sanitizer settings; tests make their own temporary
# directories for settings, runtime files and logs.
#
# A program that skipped cases and failed none is reported as skipped, not passed. Both
# kinds of program end with a totals line (Qt Test's own; GoogleTest's from the main in
# tests/support/GTestMain.cpp); the expression takes it only as the last thing printed,
# so a failure reported after it (a leak found at exit) still fails the test.
#
# API_SIM: the program drives tools/api-sim (tests/support/apisim). On Linux it starts
# the simulator itself; under Wine it cannot, so CTest starts one for this program alone
# on the build machine before it and stops it after (cmake/api-sim-host.sh), and the
# program finds it through QUARNEL_API_SIM_STATE.

set(QUARNEL_WINEPREFIX "${CMAKE_BINARY_DIR}/wineprefix" CACHE INTERNAL "")

# Under Wine, the programs of the Qt build find the DLLs of Qt, OpenSSL and the MinGW
# runtime through WINEPATH (QUARNEL_WINEPATH: build-machine folders joined by ":", which
# cmake/wine-run.sh turns into Wine's form), Qt's plugins through QT_PLUGIN_PATH and,
# with the offscreen platform (which reads font files itself), fonts in one folder of
# links to the build machine's.
set(QUARNEL_WINE_ENVIRONMENT "")
if(WIN32 AND QUARNEL_QT AND QUARNEL_WINDOWS_DEPS)
    execute_process(COMMAND ${CMAKE_CXX_COMPILER} -print-libgcc-file-name
        OUTPUT_VARIABLE quarnel_libgcc OUTPUT_STRIP_TRAILING_WHITESPACE)
    get_filename_component(quarnel_gcc_dir "${quarnel_libgcc}" DIRECTORY)
    set(quarnel_wine_dlls "${QUARNEL_WINDOWS_DEPS}/qt/bin" "${QUARNEL_WINDOWS_DEPS}/openssl/bin"
        "${QUARNEL_WINDOWS_DEPS}/tinyxml2/bin" "${quarnel_gcc_dir}" /usr/x86_64-w64-mingw32/lib)
    list(JOIN quarnel_wine_dlls ":" quarnel_winepath)
    set(quarnel_fonts "${CMAKE_BINARY_DIR}/wine-fonts")
    file(MAKE_DIRECTORY "${quarnel_fonts}")
    file(GLOB quarnel_font_files /usr/share/fonts/truetype/dejavu/DejaVuSans*.ttf /usr/share/fonts/truetype/wqy/*.ttc
        /usr/share/fonts/truetype/lohit-devanagari/*.ttf)
    foreach(font IN LISTS quarnel_font_files)
        get_filename_component(name "${font}" NAME)
        file(CREATE_LINK "${font}" "${quarnel_fonts}/${name}" SYMBOLIC)
    endforeach()
    set(QUARNEL_WINE_ENVIRONMENT "QUARNEL_WINEPATH=${quarnel_winepath}"
        "QT_PLUGIN_PATH=Z:${QUARNEL_WINDOWS_DEPS}/qt/plugins" "QT_QPA_FONTDIR=Z:${quarnel_fonts}"
        # Qt's messages to the output, not to a debugger Wine has not got.
        "QT_FORCE_STDERR_LOGGING=1")
endif()

function(quarnel_setup_gtest)
    if(TARGET gtest)
        return()
    endif()
    set(gtest_src /usr/src/googletest)
    if(NOT EXISTS ${gtest_src}/CMakeLists.txt)
        message(FATAL_ERROR "GoogleTest sources not found in ${gtest_src} (Debian package googletest)")
    endif()
    set(INSTALL_GTEST OFF CACHE BOOL "" FORCE)
    set(BUILD_GMOCK OFF CACHE BOOL "" FORCE)
    set(gtest_force_shared_crt ON CACHE BOOL "" FORCE)
    # GoogleTest is not our code: build it with our sanitizers but without -Werror.
    get_directory_property(saved_options COMPILE_OPTIONS)
    set(gtest_options ${saved_options})
    list(REMOVE_ITEM gtest_options -Werror)
    set_directory_properties(PROPERTIES COMPILE_OPTIONS "${gtest_options}")
    add_subdirectory(${gtest_src} ${CMAKE_BINARY_DIR}/googletest EXCLUDE_FROM_ALL)
    set_directory_properties(PROPERTIES COMPILE_OPTIONS "${saved_options}")

    add_library(quarnel_gtest_main STATIC ${PROJECT_SOURCE_DIR}/tests/support/GTestMain.cpp)
    target_link_libraries(quarnel_gtest_main PUBLIC gtest)
endfunction()

function(add_unit_test)
    cmake_parse_arguments(T "GTEST;API_SIM" "NAME;TIMEOUT" "SOURCES;LIBS;LABELS;ENVIRONMENT;ARGS" ${ARGN})
    if(NOT T_NAME OR NOT T_SOURCES)
        message(FATAL_ERROR "add_unit_test needs NAME and SOURCES")
    endif()
    if(NOT T_TIMEOUT)
        set(T_TIMEOUT 120)
    endif()
    if(NOT T_LABELS)
        set(T_LABELS unit)
    endif()

    add_executable(${T_NAME} ${T_SOURCES})
    set_target_properties(${T_NAME} PROPERTIES RUNTIME_OUTPUT_DIRECTORY ${CMAKE_BINARY_DIR}/tests)
    target_include_directories(${T_NAME} PRIVATE ${PROJECT_SOURCE_DIR}/tests/support)
    target_link_libraries(${T_NAME} PRIVATE ${T_LIBS})
    if(T_GTEST)
        target_link_libraries(${T_NAME} PRIVATE quarnel_gtest_main)
    else()
        target_link_libraries(${T_NAME} PRIVATE Qt5::Test)
        if(WIN32)
            list(APPEND T_ENVIRONMENT QUARNEL_QTEST_LOG=1)
        endif()
    endif()

    add_test(NAME ${T_NAME} COMMAND ${T_NAME} ${T_ARGS})
    if(T_API_SIM AND WIN32)
        set(sim_dir "${CMAKE_BINARY_DIR}/api-sim/${T_NAME}")
        add_test(NAME ${T_NAME}_api_sim_start COMMAND ${PROJECT_SOURCE_DIR}/cmake/api-sim-host.sh start ${sim_dir})
        add_test(NAME ${T_NAME}_api_sim_stop COMMAND ${PROJECT_SOURCE_DIR}/cmake/api-sim-host.sh stop ${sim_dir})
        set_tests_properties(${T_NAME}_api_sim_start PROPERTIES FIXTURES_SETUP ${T_NAME}_api_sim LABELS "${T_LABELS}")
        set_tests_properties(${T_NAME}_api_sim_stop PROPERTIES FIXTURES_CLEANUP ${T_NAME}_api_sim LABELS "${T_LABELS}")
        set_tests_properties(${T_NAME} PROPERTIES FIXTURES_REQUIRED ${T_NAME}_api_sim)
        list(APPEND T_ENVIRONMENT "QUARNEL_API_SIM_STATE=Z:${sim_dir}/state")
    endif()
    set(skipped_totals
        "Totals: [0-9]+ passed, 0 failed, [1-9][0-9]* skipped[^\n]*\n(\\*+ Finished testing of [^\n]*\n)?[\r\n]*$")
    set_tests_properties(${T_NAME} PROPERTIES
        LABELS "${T_LABELS}"
        TIMEOUT ${T_TIMEOUT}
        SKIP_REGULAR_EXPRESSION "${skipped_totals}"
        ENVIRONMENT "QT_QPA_PLATFORM=offscreen;QUARNEL_WINEPREFIX=${QUARNEL_WINEPREFIX};${QUARNEL_WINE_ENVIRONMENT};ASAN_OPTIONS=detect_leaks=1:strict_string_checks=1;LSAN_OPTIONS=suppressions=${PROJECT_SOURCE_DIR}/cmake/lsan.supp:print_suppressions=0;UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1;${T_ENVIRONMENT}")
    if(T_NAME IN_LIST QUARNEL_NOT_UNDER_WINE)
        set_tests_properties(${T_NAME} PROPERTIES DISABLED TRUE)
    endif()
endfunction()
