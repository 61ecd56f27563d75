# Precompiled headers for the test executables: GoogleTest, the standard headers most tests
# use and the runtime's C++ layer, parsed once per test program instead of once per source
# file. Off when a compiler launcher (ccache) is configured: ccache cannot cache objects
# built with a precompiled header unless told to be sloppy about it, and its hits pay more.
if(CMAKE_CXX_COMPILER_LAUNCHER)
  set(pch_default OFF)
else()
  set(pch_default ON)
endif()
option(QUILLET_TEST_PCH "Precompile the common headers of the test executables" ${pch_default})

function(quillet_precompile_test_headers directory)
  if(NOT QUILLET_TEST_PCH)
    return()
  endif()
  quillet_collect_targets(${directory} targets)
  foreach(target IN LISTS targets)
    get_target_property(type ${target} TYPE)
    get_target_property(links ${target} LINK_LIBRARIES)
    get_target_property(sources ${target} SOURCES)
    list(LENGTH sources source_count)
    # A header compiled once pays only where many sources share it.
    if(type STREQUAL "EXECUTABLE" AND "GTest::gtest_main" IN_LIST links AND source_count GREATER_EQUAL 8)
      target_precompile_headers(${target} PRIVATE
        <gtest/gtest.h> <algorithm> <cmath> <filesystem> <functional> <map> <optional> <set>
        <string> <thread> <vector>)
      # The runtime's headers only where the runtime is linked (not in the tools' tests).
      if(links MATCHES "oleaut|_core")
        target_precompile_headers(${target} PRIVATE [["comutil.hpp"]])
      endif()
    endif()
  endforeach()
endfunction()
