# `make install PREFIX=...` installs Quillet like a library: the in-process servers in
# <libdir>/quillet, liboleaut and the public headers for clients, the tools quillet-chart
# and regsvr, and quillet.pc; then registers the servers into the user's registry file
# (OLEAUT_REGISTRY if set, else the runtime's default). `make uninstall` reverses it, from
# the list the install leaves in <datadir>/quillet/install_manifest.txt.
# Rules name targets only, so they hold wherever the source folders keep their files.
include(GNUInstallDirs)

get_property(QUILLET_INSTALLED_SERVERS GLOBAL PROPERTY QUILLET_SERVERS)
set(QUILLET_SERVER_DIR ${CMAKE_INSTALL_LIBDIR}/quillet)

# Installed binaries find liboleaut relative to where they are, so a prefix can be moved.
file(RELATIVE_PATH bin_to_lib /prefix/${CMAKE_INSTALL_BINDIR} /prefix/${CMAKE_INSTALL_LIBDIR})
file(RELATIVE_PATH server_to_lib /prefix/${QUILLET_SERVER_DIR} /prefix/${CMAKE_INSTALL_LIBDIR})
set_target_properties(quillet-chart regsvr PROPERTIES INSTALL_RPATH "$ORIGIN/${bin_to_lib}")
set_target_properties(${QUILLET_INSTALLED_SERVERS} PROPERTIES INSTALL_RPATH "$ORIGIN/${server_to_lib}")

install(TARGETS oleaut LIBRARY DESTINATION ${CMAKE_INSTALL_LIBDIR})
install(TARGETS ${QUILLET_INSTALLED_SERVERS} LIBRARY DESTINATION ${QUILLET_SERVER_DIR})
install(TARGETS quillet-chart regsvr RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
install(DIRECTORY ${CMAKE_SOURCE_DIR}/platform/runtime/include/ DESTINATION ${CMAKE_INSTALL_INCLUDEDIR})

set(server_file_names "")
foreach(server IN LISTS QUILLET_INSTALLED_SERVERS)
  list(APPEND server_file_names "$<TARGET_FILE_NAME:${server}>")
endforeach()

# The steps that need the final prefix run at install time, which may differ from the
# configured one (cmake --install --prefix).
install(CODE "
  set(QUILLET_PC_TEMPLATE \"${CMAKE_CURRENT_LIST_DIR}/quillet.pc.in\")
  set(QUILLET_PC_OUTPUT \"${CMAKE_BINARY_DIR}/quillet.pc\")
  set(QUILLET_VERSION \"${PROJECT_VERSION}\")
  set(QUILLET_INCLUDEDIR \"${CMAKE_INSTALL_INCLUDEDIR}\")
  set(QUILLET_LIBDIR \"${CMAKE_INSTALL_LIBDIR}\")
  set(QUILLET_BINDIR \"${CMAKE_INSTALL_BINDIR}\")
  set(QUILLET_DATADIR \"${CMAKE_INSTALL_DATADIR}\")
  set(QUILLET_SERVER_DIR \"${QUILLET_SERVER_DIR}\")
  set(QUILLET_SERVER_FILES \"${server_file_names}\")
")
install(SCRIPT ${CMAKE_CURRENT_LIST_DIR}/install_pkgconfig.cmake)
install(SCRIPT ${CMAKE_CURRENT_LIST_DIR}/install_register.cmake)
install(SCRIPT ${CMAKE_CURRENT_LIST_DIR}/install_manifest.cmake)

# From the build tree: `cmake --build build --target uninstall` (what `make uninstall` runs).
add_custom_target(uninstall
  COMMAND ${CMAKE_COMMAND} -DQUILLET_PREFIX=${CMAKE_INSTALL_PREFIX} -P ${CMAKE_CURRENT_LIST_DIR}/uninstall.cmake
  COMMENT "Unregistering and removing Quillet from ${CMAKE_INSTALL_PREFIX}")

# A client built against the installed quillet.pc draws a chart, and uninstalling leaves
# nothing behind. Sanitizer builds are left out: their libraries need the sanitizer's
# runtime in every program that loads them, which a plain client does not have.
if(NOT (QUILLET_SANITIZE OR QUILLET_TSAN OR QUILLET_FUZZ))
  add_test(NAME install_pkgconfig_client
    COMMAND ${CMAKE_SOURCE_DIR}/tests/install/install_and_draw.sh ${CMAKE_BINARY_DIR}
            ${CMAKE_SOURCE_DIR} $<TARGET_FILE:gifcheck> ${CMAKE_COMMAND})
  set_tests_properties(install_pkgconfig_client PROPERTIES LABELS install)
endif()
