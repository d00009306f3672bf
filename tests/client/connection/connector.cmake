# The management connector: its line parser, and the thread against a scripted
# management peer, a stand-in service and stand-in sing-box scripts.
add_unit_test(NAME connection_managementparser_test
    SOURCES ${CMAKE_CURRENT_LIST_DIR}/ManagementLineParserTest.cpp
    LIBS quarnel_connection
    LABELS unit)
add_unit_test(NAME connection_connector_test
    SOURCES ${CMAKE_CURRENT_LIST_DIR}/OpenVPNConnectorQtTest.cpp ${CMAKE_CURRENT_LIST_DIR}/FakeService.h
    LIBS quarnel_connection
    LABELS unit
    TIMEOUT 180)
