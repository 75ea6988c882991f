# The profile management window and its filtered text fields.
set(_window_src ${CMAKE_SOURCE_DIR}/PDE/Panes)

add_executable(test_wq_text_field
  ${CMAKE_CURRENT_SOURCE_DIR}/test_wq_text_field.cpp
  ${_window_src}/WQTextField.cpp
  ${_window_src}/WQTextField.h
  ${_window_src}/TextInputFilter.cpp
  ${_window_src}/IconedCell.cpp
  ${_window_src}/IconedCell.h)
set_target_properties(test_wq_text_field PROPERTIES AUTOMOC ON)
target_include_directories(test_wq_text_field PRIVATE ${_window_src} ${CMAKE_SOURCE_DIR}/Platform/PrintCore)
target_link_libraries(test_wq_text_field PRIVATE tint_test_support GTest::gtest_main Qt6::Widgets Qt6::Test
  Cups::Cups)
gtest_discover_tests(test_wq_text_field DISCOVERY_MODE PRE_TEST
  PROPERTIES ENVIRONMENT "QT_QPA_PLATFORM=offscreen")

# The window over the plug-in's own objects, with the tests' store in place
# of the relay store so that OK writes the list file in the test's root.
add_executable(test_profile_control ${CMAKE_CURRENT_SOURCE_DIR}/test_profile_control.cpp)
target_link_libraries(test_profile_control PRIVATE tint_pde_objects tint_test_support GTest::gtest_main
  Qt6::Widgets Qt6::UiTools Qt6::Test Cups::Cups tint_paths tint_profilestore_in_place_of_relay
  tint_printcore tint_relaycall tint_split tint_bonjour)
# One test loads the whole panel from the staged bundle.
target_compile_definitions(test_profile_control PRIVATE TINT_PLUGIN_BUNDLE="${TINT_PLUGIN_DIR}")
add_dependencies(test_profile_control Tintpane)
gtest_discover_tests(test_profile_control DISCOVERY_MODE PRE_TEST
  PROPERTIES ENVIRONMENT "QT_QPA_PLATFORM=offscreen;LC_ALL=C;LANG=C;LANGUAGE=" TIMEOUT 120)

# Profile management through tintdialog on a private bus with a real snmpd.
add_executable(test_profile_control_tintdialog ${CMAKE_CURRENT_SOURCE_DIR}/test_profile_control_tintdialog.cpp)
target_link_libraries(test_profile_control_tintdialog PRIVATE tint_test_support GTest::gtest_main Qt6::Core
  Cups::Cups)
target_compile_definitions(test_profile_control_tintdialog PRIVATE TINT_DIALOG="$<TARGET_FILE:tintdialog>")
add_dependencies(test_profile_control_tintdialog tintdialog Tintrelay Tintvault Tintpane)
gtest_discover_tests(test_profile_control_tintdialog DISCOVERY_MODE PRE_TEST PROPERTIES TIMEOUT 300)
