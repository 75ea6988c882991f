# The panel's first load (layout, tables, menus), restore, save and summary
# over the sample PPD, as a print dialog runs them when it opens.
add_executable(bench_panel ${CMAKE_CURRENT_SOURCE_DIR}/bench_panel.cpp)
target_link_libraries(bench_panel PRIVATE tint_pde tint_test_support Qt6::Widgets)
target_compile_definitions(bench_panel PRIVATE TINT_PLUGIN_BUNDLE="${TINT_PLUGIN_DIR}")
add_dependencies(bench_panel Tintpane)
