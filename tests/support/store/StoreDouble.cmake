# The store's back end for tests, tools, benches and fuzz targets: the
# current and previous list are two full paths (the globals
# WQ_PLIST_PROFILE_PATH and WQ_PLIST_PROFILE_PREV_PATH), written directly.
# No shipped program links it: the plug-in has the relay back end, the
# service its own file layer.
include_guard(GLOBAL)
add_library(tint_profilestore_direct STATIC
  ${CMAKE_CURRENT_LIST_DIR}/ProfileStoreDirect.cpp
  ${CMAKE_CURRENT_LIST_DIR}/ProfileStorePathBackend.cpp
  ${CMAKE_CURRENT_LIST_DIR}/ProfileFileOps.cpp)
target_include_directories(tint_profilestore_direct PUBLIC ${CMAKE_CURRENT_LIST_DIR})
target_link_libraries(tint_profilestore_direct PUBLIC tint_profilestore_core)
