# The Advanced Color Options pane, the Quick Color presets and the colour
# preset rules, over the staged bundle's layout and the sample PPD.
add_executable(test_advanced
  ${CMAKE_CURRENT_SOURCE_DIR}/test_advanced_color_options.cpp
  ${CMAKE_CURRENT_SOURCE_DIR}/test_color_preset_constraints.cpp)
target_include_directories(test_advanced PRIVATE ${CMAKE_CURRENT_SOURCE_DIR})
target_link_libraries(test_advanced PRIVATE tint_pde tint_test_support GTest::gtest_main Qt6::Widgets)
target_compile_definitions(test_advanced PRIVATE TINT_PLUGIN_BUNDLE="${TINT_PLUGIN_DIR}")
add_dependencies(test_advanced Tintpane)
# "Management Profile" asks the service, through the relay, whether the user may write.
tint_needs_service(test_advanced)
gtest_discover_tests(test_advanced DISCOVERY_MODE PRE_TEST
  PROPERTIES ENVIRONMENT "QT_QPA_PLATFORM=offscreen;LC_ALL=C;LANG=C;LANGUAGE=" TIMEOUT 60)

# tintdialog driven from its command line.
add_executable(test_advanced_tintdialog ${CMAKE_CURRENT_SOURCE_DIR}/test_advanced_tintdialog.cpp)
target_link_libraries(test_advanced_tintdialog PRIVATE tint_test_support GTest::gtest_main Cups::Cups)
target_compile_definitions(test_advanced_tintdialog PRIVATE TINT_DIALOG="$<TARGET_FILE:tintdialog>")
add_dependencies(test_advanced_tintdialog tintdialog)
gtest_discover_tests(test_advanced_tintdialog DISCOVERY_MODE PRE_TEST PROPERTIES TIMEOUT 120)
