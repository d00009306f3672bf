# The one per-OS selection of the build. QUARNEL_OS_DIR names the folder (win or linux)
# beside each module's portable sources that holds that module's code for this system.
#
#   quarnel_os_sources(target [win files...] [linux files...]
#                      [win_libs libs...] [linux_libs libs...])
#
# Adds the files listed for this system, found in the module's ${QUARNEL_OS_DIR}/
# folder, and links the system libraries listed for it.

if(WIN32)
    set(QUARNEL_OS_DIR win)
else()
    set(QUARNEL_OS_DIR linux)
endif()

function(quarnel_os_sources target)
    cmake_parse_arguments(PARSE_ARGV 1 os "" "" "win;linux;win_libs;linux_libs")
    foreach(file IN LISTS os_${QUARNEL_OS_DIR})
        target_sources(${target} PRIVATE ${QUARNEL_OS_DIR}/${file})
    endforeach()
    if(os_${QUARNEL_OS_DIR}_libs)
        target_link_libraries(${target} PRIVATE ${os_${QUARNEL_OS_DIR}_libs})
    endif()
endfunction()
