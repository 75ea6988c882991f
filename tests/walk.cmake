# The SNMP walk of the printer's profile table and the merge into the list,
# against real agents on 127.0.0.1 (snmpd and a scripted responder).
add_executable(test_spool ${CMAKE_CURRENT_SOURCE_DIR}/test_spool.cpp)
target_link_libraries(test_spool PRIVATE tint_mibwalk tint_profilestore_direct tint_test_support GTest::gtest_main)
gtest_discover_tests(test_spool DISCOVERY_MODE PRE_TEST PROPERTIES SKIP_REGULAR_EXPRESSION "\\[  SKIPPED \\]")

add_executable(test_mib_walk ${CMAKE_CURRENT_SOURCE_DIR}/test_mib_walk.cpp)
target_link_libraries(test_mib_walk PRIVATE tint_mibwalk tint_profilestore_direct tint_test_support
  GTest::gtest_main)
# Each test starts an agent; the unreachable-printer cases wait for timeouts.
gtest_discover_tests(test_mib_walk DISCOVERY_MODE PRE_TEST PROPERTIES TIMEOUT 60
  SKIP_REGULAR_EXPRESSION "\\[  SKIPPED \\]")
