# Install-time step (see install.cmake): registers the installed servers with the installed
# regsvr into the user's registry file (OLEAUT_REGISTRY if set, else the runtime's default
# under XDG_DATA_HOME or ~/.local/share). A staged install (DESTDIR) registers nothing: the
# paths only become real once the files are unpacked.
if(NOT "$ENV{DESTDIR}" STREQUAL "")
  message(STATUS "DESTDIR is set: servers not registered")
else()
  foreach(server IN LISTS QUILLET_SERVER_FILES)
    set(library "${CMAKE_INSTALL_PREFIX}/${QUILLET_SERVER_DIR}/${server}")
    message(STATUS "Registering: ${library}")
    execute_process(COMMAND "${CMAKE_INSTALL_PREFIX}/${QUILLET_BINDIR}/regsvr" -s "${library}"
                    RESULT_VARIABLE status)
    if(NOT status EQUAL 0)
      message(FATAL_ERROR "regsvr could not register ${library} (exit status ${status})")
    endif()
  endforeach()
endif()
