# A panel load with a full profile list and a walk on 127.0.0.1: relay starts
# and time, against any staged bundle.
add_executable(bench_load ${CMAKE_CURRENT_SOURCE_DIR}/bench_load.cpp)
target_link_libraries(bench_load PRIVATE tint_profilestore_direct tint_relaycall tint_test_support tint_printcore
  Qt6::Widgets Cups::Cups ${CMAKE_DL_LIBS})
target_compile_definitions(bench_load PRIVATE TINT_PLUGIN_BUNDLE="${TINT_PLUGIN_DIR}"
  TINT_SAMPLE_PPD="${CMAKE_SOURCE_DIR}/Demo/QV-MR52.ppd")
add_dependencies(bench_load Tintpane Tintrelay Tintvault)
