# PrintCore, the settings file, the device-profile class methods and the
# print-dialog host tintdialog.
add_executable(test_printcore ${CMAKE_CURRENT_SOURCE_DIR}/test_printcore.cpp)
target_link_libraries(test_printcore PRIVATE tint_test_support tint_printcore GTest::gtest_main)
gtest_discover_tests(test_printcore DISCOVERY_MODE PRE_TEST)

# The device profile menus and the printer address, over the plug-in's
# objects, real pop-ups and real profile list files in a temporary root.
add_executable(test_device_profile ${CMAKE_CURRENT_SOURCE_DIR}/test_device_profile.cpp)
target_link_libraries(test_device_profile PRIVATE tint_pde tint_test_support GTest::gtest_main Qt6::Widgets
  PkgConfig::AVAHI)
target_compile_definitions(test_device_profile PRIVATE TINT_PLUGIN_BUNDLE="${TINT_PLUGIN_DIR}")
add_dependencies(test_device_profile Tintpane)
gtest_discover_tests(test_device_profile DISCOVERY_MODE PRE_TEST
  PROPERTIES ENVIRONMENT "QT_QPA_PLATFORM=offscreen;LC_ALL=C;LANG=C;LANGUAGE=")

# tintdialog end to end: the staged program and bundle on real PPDs and
# settings files, and on a private bus with a real snmpd.
add_executable(test_tintdialog ${CMAKE_CURRENT_SOURCE_DIR}/test_tintdialog.cpp)
target_link_libraries(test_tintdialog PRIVATE tint_test_support tint_printcore tint_profilestore_direct
  GTest::gtest_main Qt6::Core)
target_compile_definitions(test_tintdialog PRIVATE
  TINT_DIALOG="$<TARGET_FILE:tintdialog>"
  TINT_PLUGIN_BUNDLE="${TINT_PLUGIN_DIR}")
add_dependencies(test_tintdialog tintdialog Tintpane)
tint_needs_service(test_tintdialog)
gtest_discover_tests(test_tintdialog DISCOVERY_MODE PRE_TEST PROPERTIES TIMEOUT 180)

# tintdialog as the print dialog of CUPS queues, on a private cupsd.
add_executable(test_tintdialog_cups ${CMAKE_CURRENT_SOURCE_DIR}/test_tintdialog_cups.cpp)
target_link_libraries(test_tintdialog_cups PRIVATE tint_test_support GTest::gtest_main Qt6::Core)
target_compile_definitions(test_tintdialog_cups PRIVATE
  TINT_DIALOG="$<TARGET_FILE:tintdialog>"
  TINT_PLUGIN_BUNDLE="${TINT_PLUGIN_DIR}")
add_dependencies(test_tintdialog_cups tintdialog Tintpane)
gtest_discover_tests(test_tintdialog_cups DISCOVERY_MODE PRE_TEST PROPERTIES TIMEOUT 180)

# The window driven from inside the program: the test executable is
# tintdialog's main with a driver, so it lies where the program's host
# translations are found (two folders below share/tintdialog).
add_executable(test_tintdialog_window ${CMAKE_CURRENT_SOURCE_DIR}/test_tintdialog_window.cpp)
target_link_libraries(test_tintdialog_window PRIVATE tint_host tint_test_support GTest::gtest Qt6::Widgets
  Qt6::Test)
target_compile_definitions(test_tintdialog_window PRIVATE TINT_PLUGIN_BUNDLE="${TINT_PLUGIN_DIR}")
set_target_properties(test_tintdialog_window PROPERTIES RUNTIME_OUTPUT_DIRECTORY
  ${CMAKE_CURRENT_BINARY_DIR}/window/bin)
file(MAKE_DIRECTORY ${CMAKE_CURRENT_BINARY_DIR}/window/share)
file(CREATE_LINK ${TINT_STAGE_ROOT}${TINT_DIALOG_DATA_DIR} ${CMAKE_CURRENT_BINARY_DIR}/window/share/tintdialog
  SYMBOLIC)
add_dependencies(test_tintdialog_window tintdialog Tintpane)
tint_needs_service(test_tintdialog_window)
gtest_discover_tests(test_tintdialog_window DISCOVERY_MODE PRE_TEST PROPERTIES TIMEOUT 240)
