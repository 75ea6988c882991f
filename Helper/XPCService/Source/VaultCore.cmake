# The service's core: the request handlers, the list files and their locks,
# the transfer check, the walk request and the worker pools. It links no bus
# library; Tintvault puts the bus in front of it, and the tests and the fuzz
# targets (fuzz/) link it as it is.
add_library(tint_vault_core STATIC
  ${CMAKE_CURRENT_LIST_DIR}/ListLocks.cpp
  ${CMAKE_CURRENT_LIST_DIR}/ProfileListFile.cpp
  ${CMAKE_CURRENT_LIST_DIR}/VaultFileOps.cpp
  ${CMAKE_CURRENT_LIST_DIR}/VaultListStore.cpp
  ${CMAKE_CURRENT_LIST_DIR}/VaultWalk.cpp
  ${CMAKE_CURRENT_LIST_DIR}/WQmacServiceXPC.cpp
  ${CMAKE_CURRENT_LIST_DIR}/WorkerPool.cpp)
target_include_directories(tint_vault_core PUBLIC ${CMAKE_CURRENT_LIST_DIR})
# The store's core with the service's own back end (VaultListStore): no
# other file layer is linked in.
target_link_libraries(tint_vault_core PUBLIC tint_protocol tint_paths tint_profilestore_core tint_mibwalk tint_text)
