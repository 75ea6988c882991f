# The plug-in bundle Tintpane.plugin:
#   Contents/Info.plist            principal class by run-time name
#   Contents/Linux/libTintpane.so  the plug-in (exports only the factory and the logging functions)
#   Contents/Resources/            layouts (.ui) and translations (.qm)

# The plug-in in four floors, each its own library that includes only the
# floors below it:
#   ColorModel     control descriptions, PPD binding, ticket, summary, preset
#                  rules and their reasons, localisation, status line, logging
#   Panes          layout loading, outlets and actions, class registry, the
#                  panes, the main view and the pane switcher
#   ProfileWindow  the profile management window: list model, editor, view
#   PlugIn         the principal class, the panel and its wiring, the factory
# Object libraries: the module is every object of the four, whether or not
# another object refers to it (a static archive would leave out the exported
# entry points, which nothing inside the bundle calls).
set(_tintpane_floors ColorModel Panes ProfileWindow PlugIn)
set(_tintpane_below "")
foreach(_floor ${_tintpane_floors})
  string(TOLOWER "tint_pde_${_floor}" _lib)
  file(GLOB _sources CONFIGURE_DEPENDS ${CMAKE_CURRENT_SOURCE_DIR}/${_floor}/*.cpp
       ${CMAKE_CURRENT_SOURCE_DIR}/${_floor}/*.h)
  list(FILTER _sources EXCLUDE REGEX "/SplitCharEvery\\.(cpp|h)$")
  add_library(${_lib} OBJECT ${_sources})
  set_target_properties(${_lib} PROPERTIES
    AUTOMOC ON
    CXX_VISIBILITY_PRESET hidden
    VISIBILITY_INLINES_HIDDEN ON)
  target_include_directories(${_lib} PUBLIC ${CMAKE_CURRENT_SOURCE_DIR}/${_floor})
  target_link_libraries(${_lib} PUBLIC ${_tintpane_below})
  list(APPEND _tintpane_objects $<TARGET_OBJECTS:${_lib}>)
  set(_tintpane_below ${_lib})
endforeach()
target_link_libraries(tint_pde_colormodel PUBLIC Qt6::Widgets Cups::Cups tint_paths tint_printcore
  tint_relaycall tint_split tint_bonjour tint_profilestore_relay)
target_link_libraries(tint_pde_panes PUBLIC Qt6::UiTools)

# Everything of the plug-in except the module itself, so that tests link the
# same objects the bundle is made of: tint_pde_objects without the relay
# store (tint::relayProfileStore(); tests bring their own), tint_pde with it.
add_library(tint_pde_objects INTERFACE)
target_sources(tint_pde_objects INTERFACE ${_tintpane_objects})
foreach(_floor ${_tintpane_floors})
  target_include_directories(tint_pde_objects INTERFACE ${CMAKE_CURRENT_SOURCE_DIR}/${_floor})
endforeach()
add_library(tint_pde INTERFACE)
target_link_libraries(tint_pde INTERFACE tint_pde_objects Qt6::Widgets Qt6::UiTools Cups::Cups tint_paths
  tint_printcore tint_relaycall tint_split tint_bonjour tint_profilestore_relay)

set(TINT_PLUGIN_RESOURCES "${TINT_PLUGIN_DIR}/Contents/Resources")

add_library(Tintpane MODULE)
target_link_libraries(Tintpane PRIVATE tint_pde)
# The static libraries linked in are built with default visibility; the
# version script keeps every symbol but the bundle's own entry points local.
set(_tintpane_exports ${CMAKE_CURRENT_SOURCE_DIR}/Tintpane.exports)
target_link_options(Tintpane PRIVATE "LINKER:--version-script=${_tintpane_exports}")
set_target_properties(Tintpane PROPERTIES
  OUTPUT_NAME Tintpane
  LIBRARY_OUTPUT_DIRECTORY "${TINT_PLUGIN_DIR}/Contents/Linux"
  LINK_DEPENDS ${_tintpane_exports})

# Bundle resources: copied at build time so that edits reach the staged bundle.
file(GLOB _tintpane_layouts CONFIGURE_DEPENDS ${CMAKE_CURRENT_SOURCE_DIR}/Resources/*.ui)
file(GLOB _tintpane_ts CONFIGURE_DEPENDS ${CMAKE_CURRENT_SOURCE_DIR}/Resources/*.ts)
set(_tintpane_staged "${TINT_PLUGIN_DIR}/Contents/Info.plist")
add_custom_command(OUTPUT "${TINT_PLUGIN_DIR}/Contents/Info.plist"
  COMMAND ${CMAKE_COMMAND} -E copy_if_different ${CMAKE_CURRENT_SOURCE_DIR}/Resources/Info.plist
          "${TINT_PLUGIN_DIR}/Contents/Info.plist"
  DEPENDS ${CMAKE_CURRENT_SOURCE_DIR}/Resources/Info.plist
  COMMENT "Staging Tintpane Info.plist")
foreach(_ui ${_tintpane_layouts})
  get_filename_component(_name ${_ui} NAME)
  add_custom_command(OUTPUT "${TINT_PLUGIN_RESOURCES}/${_name}"
    COMMAND ${CMAKE_COMMAND} -E copy_if_different ${_ui} "${TINT_PLUGIN_RESOURCES}/${_name}"
    DEPENDS ${_ui}
    COMMENT "Staging Tintpane ${_name}")
  list(APPEND _tintpane_staged "${TINT_PLUGIN_RESOURCES}/${_name}")
endforeach()
foreach(_ts ${_tintpane_ts})
  get_filename_component(_name ${_ts} NAME_WE)
  add_custom_command(OUTPUT "${TINT_PLUGIN_RESOURCES}/${_name}.qm"
    COMMAND ${CMAKE_COMMAND} -E make_directory "${TINT_PLUGIN_RESOURCES}"
    COMMAND Qt6::lrelease -silent ${_ts} -qm "${TINT_PLUGIN_RESOURCES}/${_name}.qm"
    DEPENDS ${_ts}
    COMMENT "Compiling Tintpane translation ${_name}")
  list(APPEND _tintpane_staged "${TINT_PLUGIN_RESOURCES}/${_name}.qm")
endforeach()
# The printer icon that marks the printer's own rows in the profile window,
# at its installed path under the staged root.
set(_tintpane_staged_icon "${TINT_STAGE_ROOT}${TINT_PRINTER_ICON}")
add_custom_command(OUTPUT "${_tintpane_staged_icon}"
  COMMAND ${CMAKE_COMMAND} -E copy_if_different ${CMAKE_CURRENT_SOURCE_DIR}/Resources/Icons/QVMR52.icns
          "${_tintpane_staged_icon}"
  COMMAND ${CMAKE_COMMAND} -E make_directory "${TINT_STAGE_ROOT}${TINT_PROFILE_DIR}"
  DEPENDS ${CMAKE_CURRENT_SOURCE_DIR}/Resources/Icons/QVMR52.icns
  COMMENT "Staging the printer icon")
list(APPEND _tintpane_staged "${_tintpane_staged_icon}")
add_custom_target(Tintpane_resources DEPENDS ${_tintpane_staged})
add_dependencies(Tintpane Tintpane_resources)

# Installed: the bundle with its inner layout, the icon, and the (empty)
# folder where the driver's own profiles go.
install(TARGETS Tintpane LIBRARY DESTINATION "${TINT_PLUGIN_BUNDLE}/Contents/Linux" COMPONENT driver)
install(FILES ${CMAKE_CURRENT_SOURCE_DIR}/Resources/Info.plist DESTINATION "${TINT_PLUGIN_BUNDLE}/Contents"
  COMPONENT driver)
install(DIRECTORY "${TINT_PLUGIN_RESOURCES}/" DESTINATION "${TINT_PLUGIN_BUNDLE}/Contents/Resources"
  COMPONENT driver)
install(FILES ${CMAKE_CURRENT_SOURCE_DIR}/Resources/Icons/QVMR52.icns DESTINATION "${TINT_ICON_DIR}"
  COMPONENT driver)
install(DIRECTORY DESTINATION "${TINT_PROFILE_DIR}" COMPONENT driver)
