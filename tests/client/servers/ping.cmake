# Latency measurement: reply parser, ping tasks and batches (real pings to loopback only).
add_unit_test(NAME servers_ping_test
    SOURCES ${CMAKE_CURRENT_LIST_DIR}/PingTest.cpp
    LIBS quarnel_ping quarnel_test_support
    LABELS unit)
