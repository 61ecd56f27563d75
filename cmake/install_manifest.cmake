# Install-time step (see install.cmake), the last one: leaves the list of installed files
# in the prefix, where `make uninstall` finds it without the build tree's own manifest.
set(manifest "$ENV{DESTDIR}${CMAKE_INSTALL_PREFIX}/${QUILLET_DATADIR}/quillet/install_manifest.txt")
set(files ${CMAKE_INSTALL_MANIFEST_FILES} "${CMAKE_INSTALL_PREFIX}/${QUILLET_DATADIR}/quillet/install_manifest.txt")
list(REMOVE_DUPLICATES files)
list(JOIN files "\n" content)
file(WRITE "${manifest}" "${content}\n")
message(STATUS "Installed files listed in: ${manifest}")
