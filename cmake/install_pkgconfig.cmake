# Install-time step (see install.cmake): writes quillet.pc for the prefix being installed
# into and installs it, so that it is in the install manifest.
set(QUILLET_PC_PREFIX "${CMAKE_INSTALL_PREFIX}")
configure_file("${QUILLET_PC_TEMPLATE}" "${QUILLET_PC_OUTPUT}" @ONLY)
file(INSTALL DESTINATION "${CMAKE_INSTALL_PREFIX}/${QUILLET_LIBDIR}/pkgconfig" TYPE FILE
     FILES "${QUILLET_PC_OUTPUT}")
