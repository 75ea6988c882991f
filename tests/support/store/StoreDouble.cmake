# The store of tests, tools, benches and fuzz targets: by default the
# current and previous list are two full paths (the globals
# WQ_PLIST_PROFILE_PATH and WQ_PLIST_PROFILE_PREV_PATH), handled by the
# service's file steps. No shipped program links it: the plug-in has the
# relay store, the service a store per request.
include_guard(GLOBAL)
add_library(tint_profilestore_direct STATIC
  ${CMAKE_CURRENT_LIST_DIR}/ProfileStoreDirect.cpp
  ${CMAKE_CURRENT_LIST_DIR}/ProfileStorePathBackend.cpp)
target_include_directories(tint_profilestore_direct PUBLIC ${CMAKE_CURRENT_LIST_DIR})
target_link_libraries(tint_profilestore_direct PUBLIC tint_profilestore_core tint_vault_core)

# For the plug-in's objects without the relay (tint_pde_objects): its store
# is then the one above, so that the window writes the test's own files.
add_library(tint_profilestore_in_place_of_relay STATIC ${CMAKE_CURRENT_LIST_DIR}/InPlaceOfRelay.cpp)
target_link_libraries(tint_profilestore_in_place_of_relay PUBLIC tint_profilestore_direct)
