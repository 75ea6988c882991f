# The host's settings file and whole tintdialog runs.
add_executable(bench_host ${CMAKE_CURRENT_SOURCE_DIR}/bench_host.cpp)
target_link_libraries(bench_host PRIVATE tint_printcore)
target_include_directories(bench_host PRIVATE ${PROJECT_SOURCE_DIR}/tests/support)
target_compile_definitions(bench_host PRIVATE
  TINT_DIALOG="$<TARGET_FILE:tintdialog>"
  TINT_PLUGIN_BUNDLE="${TINT_PLUGIN_DIR}"
  TINT_BENCH_SAMPLE_PPD="${PROJECT_SOURCE_DIR}/Demo/QV-MR52.ppd")
add_dependencies(bench_host tintdialog Tintpane)
