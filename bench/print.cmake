# tintdialog's print and queues commands beside lp and lpstat on one private
# CUPS scheduler.
add_executable(bench_print ${CMAKE_CURRENT_SOURCE_DIR}/bench_print.cpp)
target_link_libraries(bench_print PRIVATE tint_test_support)
target_compile_definitions(bench_print PRIVATE
  TINT_DIALOG="$<TARGET_FILE:tintdialog>"
  TINT_PLUGIN_BUNDLE="${TINT_PLUGIN_DIR}")
add_dependencies(bench_print tintdialog Tintpane)
