# The private CUPS scheduler fixture against the real filter chain.
add_executable(test_cups_server ${CMAKE_CURRENT_SOURCE_DIR}/test_cups_server.cpp)
target_link_libraries(test_cups_server PRIVATE tint_test_support GTest::gtest_main)
gtest_discover_tests(test_cups_server DISCOVERY_MODE PRE_TEST PROPERTIES TIMEOUT 120)
