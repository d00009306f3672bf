# The stunnel wrapper and the Connection front.
add_unit_test(NAME connection_stunnelmanager_test
    SOURCES ${CMAKE_CURRENT_LIST_DIR}/StunnelManagerTest.cpp
    LIBS quarnel_connection quarnel_test_support
    LABELS unit)

add_unit_test(NAME connection_front_test
    SOURCES ${CMAKE_CURRENT_LIST_DIR}/ConnectionTest.cpp
    LIBS quarnel_connection quarnel_test_support
    LABELS unit)
