# Relay protocol, Tintrelay and Tintvault.
add_executable(test_protocol ${CMAKE_CURRENT_SOURCE_DIR}/test_protocol.cpp)
target_link_libraries(test_protocol PRIVATE tint_protocol GTest::gtest_main)
gtest_discover_tests(test_protocol DISCOVERY_MODE PRE_TEST)
