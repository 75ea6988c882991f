# The plug-in's entry, panel lifecycle, layout and the Color Options pane,
# over the staged bundle (layout and translations) and the sample PPD.
add_executable(test_pde_plugin
  ${CMAKE_CURRENT_SOURCE_DIR}/test_pde_plugin.cpp
  ${CMAKE_CURRENT_SOURCE_DIR}/test_pde_panes.cpp
  ${CMAKE_CURRENT_SOURCE_DIR}/test_pde_plugin_support.h)
target_include_directories(test_pde_plugin PRIVATE ${CMAKE_CURRENT_SOURCE_DIR})
# The host's report of a panel (show --json) over a panel of these objects.
target_link_libraries(test_pde_plugin PRIVATE tint_pde tint_host tint_test_support GTest::gtest_main
  Qt6::Widgets)
target_compile_definitions(test_pde_plugin PRIVATE
  TINT_PLUGIN_BUNDLE="${TINT_PLUGIN_DIR}"
  TINT_PLUGIN_LIBRARY="$<TARGET_FILE:Tintpane>")
# The tests load the staged layout and translations and inspect the module.
add_dependencies(test_pde_plugin Tintpane)
gtest_discover_tests(test_pde_plugin DISCOVERY_MODE PRE_TEST
  PROPERTIES ENVIRONMENT "QT_QPA_PLATFORM=offscreen;LC_ALL=C;LANG=C;LANGUAGE=")
# The same panel under a German locale: texts come from the bundle's
# German translations.
add_test(NAME PanelTest.GermanTextsUnderGermanLocale
  COMMAND test_pde_plugin --gtest_filter=PanelTest.GermanTexts)
set_tests_properties(PanelTest.GermanTextsUnderGermanLocale PROPERTIES
  ENVIRONMENT "QT_QPA_PLATFORM=offscreen;LC_ALL=de_DE.UTF-8;LANG=de_DE.UTF-8;LANGUAGE=de"
  SKIP_REGULAR_EXPRESSION "\\[  SKIPPED \\]")
tint_private_home(PanelTest.GermanTextsUnderGermanLocale)

# panelView's profile refresh on a private bus with the real relay and service.
add_executable(test_pde_plugin_refresh
  ${CMAKE_CURRENT_SOURCE_DIR}/test_pde_plugin_refresh.cpp
  ${CMAKE_CURRENT_SOURCE_DIR}/test_pde_plugin_support.h)
target_include_directories(test_pde_plugin_refresh PRIVATE ${CMAKE_CURRENT_SOURCE_DIR})
target_link_libraries(test_pde_plugin_refresh PRIVATE tint_pde tint_test_support GTest::gtest_main Qt6::Widgets)
target_compile_definitions(test_pde_plugin_refresh PRIVATE TINT_PLUGIN_BUNDLE="${TINT_PLUGIN_DIR}")
add_dependencies(test_pde_plugin_refresh Tintpane)
tint_needs_service(test_pde_plugin_refresh)
gtest_discover_tests(test_pde_plugin_refresh DISCOVERY_MODE PRE_TEST
  PROPERTIES ENVIRONMENT "QT_QPA_PLATFORM=offscreen;LC_ALL=C;LANG=C;LANGUAGE=" TIMEOUT 120)
