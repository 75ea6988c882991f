# Walking a 500-row profile table beside Net-SNMP's snmpwalk on the same
# agent, and the merge plus write of a full list.
add_executable(bench_walk ${CMAKE_CURRENT_SOURCE_DIR}/bench_walk.cpp)
target_link_libraries(bench_walk PRIVATE tint_mibwalk tint_profilestore_direct tint_test_support)
