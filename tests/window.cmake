# The profile management window and its filtered text fields.
set(_window_src ${CMAKE_SOURCE_DIR}/PDE/Source)

add_executable(test_wq_text_field
  ${CMAKE_CURRENT_SOURCE_DIR}/test_wq_text_field.cpp
  ${_window_src}/WQTextField.cpp
  ${_window_src}/WQTextField.h
  ${_window_src}/TextInputFilter.cpp
  ${_window_src}/ClassRegistry.cpp)
set_target_properties(test_wq_text_field PROPERTIES AUTOMOC ON)
target_include_directories(test_wq_text_field PRIVATE ${_window_src} ${CMAKE_SOURCE_DIR}/Platform/PrintCore)
target_link_libraries(test_wq_text_field PRIVATE tint_test_support GTest::gtest_main Qt6::Widgets Qt6::Test
  Cups::Cups)
gtest_discover_tests(test_wq_text_field DISCOVERY_MODE PRE_TEST
  PROPERTIES ENVIRONMENT "QT_QPA_PLATFORM=offscreen")
