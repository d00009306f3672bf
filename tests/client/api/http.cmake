# The HTTP helpers: request channel with retries, download, probe, Wi-Fi events.
add_unit_test(NAME api_http_test
    SOURCES ${CMAKE_CURRENT_LIST_DIR}/HttpHelpersTest.cpp ${CMAKE_CURRENT_LIST_DIR}/ScriptedHttpServer.h
        ${CMAKE_CURRENT_LIST_DIR}/ScriptedHttpServer.cpp
    LIBS quarnel_api quarnel_test_support Qt5::Network
    LABELS unit)
