# The relay's cost beside its floor, and a full list through the relay beside
# the direct write.
add_executable(bench_relay ${CMAKE_CURRENT_SOURCE_DIR}/bench_relay.cpp)
target_link_libraries(bench_relay PRIVATE tint_profilestore_relay tint_profilestore_direct tint_relaycall tint_test_support
  SDBusCpp::sdbus-c++)
add_dependencies(bench_relay Tintrelay Tintvault)
