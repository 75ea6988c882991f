# PrintCore, the settings file, the device-profile class methods and the
# print-dialog host tintdialog.
add_executable(test_printcore ${CMAKE_CURRENT_SOURCE_DIR}/test_printcore.cpp)
target_link_libraries(test_printcore PRIVATE tint_test_support tint_printcore GTest::gtest_main)
gtest_discover_tests(test_printcore DISCOVERY_MODE PRE_TEST)
