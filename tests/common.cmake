# PDECommon: control tables, PPD binding, value model, ticket and summary,
# over real Qt widgets, real PPD files and real profile lists in a temporary
# root. The sources are compiled in directly so that these tests depend only
# on the core and the libraries it uses.
set(_common_src ${CMAKE_SOURCE_DIR}/PDE/ColorModel)

add_executable(test_pde_common
  ${CMAKE_CURRENT_SOURCE_DIR}/test_pde_common_value_model.cpp
  ${CMAKE_CURRENT_SOURCE_DIR}/test_pde_common_ppd.cpp
  ${CMAKE_CURRENT_SOURCE_DIR}/test_pde_common_ticket.cpp
  ${CMAKE_CURRENT_SOURCE_DIR}/test_pde_common_support.cpp
  ${_common_src}/Localization.cpp
  ${_common_src}/PDECommonControlTable.cpp
  ${_common_src}/PDECommonMenus.cpp
  ${_common_src}/PDECommonPPD.cpp
  ${_common_src}/PDECommonSummary.cpp
  ${_common_src}/PDECommonTicket.cpp
  ${_common_src}/PDECommonValueModel.cpp)
target_include_directories(test_pde_common PRIVATE ${_common_src} ${CMAKE_SOURCE_DIR}/Platform/PrintCore
  ${CMAKE_CURRENT_SOURCE_DIR})
target_link_libraries(test_pde_common PRIVATE tint_test_support GTest::gtest_main Qt6::Widgets Cups::Cups
  tint_printcore)
target_link_libraries(test_pde_common PRIVATE tint_profilestore_relay)
target_compile_definitions(test_pde_common PRIVATE TINT_LRELEASE="$<TARGET_FILE:Qt6::lrelease>")
gtest_discover_tests(test_pde_common DISCOVERY_MODE PRE_TEST
  PROPERTIES ENVIRONMENT "QT_QPA_PLATFORM=offscreen")
