add_executable(test_paths ${CMAKE_CURRENT_SOURCE_DIR}/test_paths.cpp)
target_link_libraries(test_paths PRIVATE tint_test_support tint_paths GTest::gtest_main)
gtest_discover_tests(test_paths DISCOVERY_MODE PRE_TEST)
