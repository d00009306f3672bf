# NetworkManager against the local API simulator (HTTPS on loopback).
add_unit_test(NAME api_networkmanager_test
    SOURCES ${CMAKE_CURRENT_LIST_DIR}/NetworkManagerTest.cpp
    LIBS quarnel_api quarnel_test_support Qt5::Network Qt5::Test
    LABELS unit
    TIMEOUT 300)
target_compile_definitions(api_networkmanager_test PRIVATE API_SIM="${PROJECT_SOURCE_DIR}/tools/api-sim/api_sim.py")
