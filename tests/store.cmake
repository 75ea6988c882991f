# The profile store (service back end) and text splitting.
add_executable(test_split_char_every ${CMAKE_CURRENT_SOURCE_DIR}/test_split_char_every.cpp)
target_link_libraries(test_split_char_every PRIVATE tint_test_support tint_split GTest::gtest_main)
gtest_discover_tests(test_split_char_every DISCOVERY_MODE PRE_TEST)

# Runs one store operation; the permission tests start it as an unprivileged
# user.
add_executable(test_profile_tool ${CMAKE_CURRENT_SOURCE_DIR}/test_profile_tool.cpp)
target_link_libraries(test_profile_tool PRIVATE tint_profilestore_direct)

foreach(_t test_profile_read_write test_profile_tidy test_profile_file_ops)
  add_executable(${_t} ${CMAKE_CURRENT_SOURCE_DIR}/${_t}.cpp)
  target_link_libraries(${_t} PRIVATE tint_test_support tint_profilestore_direct GTest::gtest_main)
  target_compile_definitions(${_t} PRIVATE PROFILE_TOOL="$<TARGET_FILE:test_profile_tool>")
  add_dependencies(${_t} test_profile_tool)
  gtest_discover_tests(${_t} DISCOVERY_MODE PRE_TEST PROPERTIES TIMEOUT 120
    SKIP_REGULAR_EXPRESSION "\\[  SKIPPED \\]")
endforeach()
