# Writing and reading a full profile list, beside libplist's own cost.
add_executable(bench_store ${CMAKE_CURRENT_SOURCE_DIR}/bench_store.cpp)
target_link_libraries(bench_store PRIVATE tint_profilestore_direct tint_test_support)
