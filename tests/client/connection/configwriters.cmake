# The OpenVPN configuration writer and the sing-box configuration builder.
add_unit_test(NAME connection_ovpnfile_test
    SOURCES ${CMAKE_CURRENT_LIST_DIR}/MakeOVPNFileTest.cpp
    LIBS quarnel_connection quarnel_test_support
    LABELS unit)
add_unit_test(NAME connection_brumeconfig_test
    SOURCES ${CMAKE_CURRENT_LIST_DIR}/BrumeConfigTest.cpp
    LIBS quarnel_connection
    LABELS unit)
