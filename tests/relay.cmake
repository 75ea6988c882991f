# Relay protocol, Tintrelay and Tintvault.
add_executable(test_protocol ${CMAKE_CURRENT_SOURCE_DIR}/test_protocol.cpp)
target_link_libraries(test_protocol PRIVATE tint_protocol GTest::gtest_main)
gtest_discover_tests(test_protocol DISCOVERY_MODE PRE_TEST)

# Tintrelay and Tintvault on a private bus (the bus starts the service).
add_executable(test_relay ${CMAKE_CURRENT_SOURCE_DIR}/test_relay.cpp)
target_link_libraries(test_relay PRIVATE tint_relaycall tint_protocol tint_test_support SDBusCpp::sdbus-c++
  GTest::gtest_main)
add_dependencies(test_relay Tintrelay Tintvault)
gtest_discover_tests(test_relay DISCOVERY_MODE PRE_TEST PROPERTIES TIMEOUT 120
  SKIP_REGULAR_EXPRESSION "\\[  SKIPPED \\]")

# Tintvault's handlers in-process, as an unprivileged user, and the walk.
add_executable(test_vault ${CMAKE_CURRENT_SOURCE_DIR}/test_vault.cpp)
target_link_libraries(test_vault PRIVATE tint_vault_core tint_relaycall tint_test_support GTest::gtest_main)
add_dependencies(test_vault Tintrelay Tintvault)
gtest_discover_tests(test_vault DISCOVERY_MODE PRE_TEST PROPERTIES TIMEOUT 120
  SKIP_REGULAR_EXPRESSION "\\[  SKIPPED \\]")

# The plug-in's back end of the store through the relay.
add_executable(test_relay_store ${CMAKE_CURRENT_SOURCE_DIR}/test_relay_store.cpp)
target_link_libraries(test_relay_store PRIVATE tint_profilestore_relay tint_profilestore_direct tint_test_support GTest::gtest_main)
add_dependencies(test_relay_store Tintrelay Tintvault)
gtest_discover_tests(test_relay_store DISCOVERY_MODE PRE_TEST PROPERTIES TIMEOUT 120
  SKIP_REGULAR_EXPRESSION "\\[  SKIPPED \\]")
