# Precompiled headers for the test programs: GoogleTest, the standard headers most tests
# use and the runtime's C++ layer, parsed once per test program instead of once per source
# file. Only test programs with many sources get one. The libraries get none: a header
# forced into every source changes name lookup (std::quoted found by argument-dependent
# lookup next to a source's own quoted()) and the optimiser's warnings there.
# Off when a compiler launcher (ccache) is configured: ccache cannot cache objects built
# with a precompiled header unless told to be sloppy about it, its hits pay more, and
# those builds keep checking that every source includes what it uses.
if(CMAKE_CXX_COMPILER_LAUNCHER)
  set(pch_default OFF)
else()
  set(pch_default ON)
endif()
option(QUILLET_PCH "Precompile the common headers of the test programs" ${pch_default})

set(QUILLET_PCH_MIN_SOURCES 8)
set(QUILLET_PCH_STANDARD_HEADERS <algorithm> <cmath> <cstdint> <filesystem> <functional> <map>
    <memory> <optional> <set> <string> <string_view> <thread> <vector>)

# quillet_precompile_headers(<target> [extra headers...]): the common set plus the extras,
# when the target has enough sources to pay for compiling it.
function(quillet_precompile_headers target)
  if(NOT QUILLET_PCH OR NOT TARGET ${target})
    return()
  endif()
  get_target_property(sources ${target} SOURCES)
  list(FILTER sources INCLUDE REGEX "\\.cpp$")
  list(LENGTH sources source_count)
  if(source_count LESS QUILLET_PCH_MIN_SOURCES)
    return()
  endif()
  target_precompile_headers(${target} PRIVATE ${ARGN} ${QUILLET_PCH_STANDARD_HEADERS})
  get_target_property(links ${target} LINK_LIBRARIES)
  if(links MATCHES "oleaut|_core")
    target_precompile_headers(${target} PRIVATE [["comutil.hpp"]])
  endif()
  # GCC 12 at -O2 reports std::string copies it has inlined from a precompiled header as
  # copying past a 32-byte object (known false positives of -Warray-bounds and
  # -Wstringop-overflow); the same sources built without the header, as in every ccache
  # build, keep both checks.
  if(CMAKE_CXX_COMPILER_ID STREQUAL "GNU")
    target_compile_options(${target} PRIVATE -Wno-array-bounds -Wno-stringop-overflow)
  endif()
endfunction()

# Every test program under <directory> (the executables that link GoogleTest).
function(quillet_precompile_test_headers directory)
  quillet_collect_targets(${directory} targets)
  foreach(target IN LISTS targets)
    get_target_property(type ${target} TYPE)
    get_target_property(links ${target} LINK_LIBRARIES)
    if(type STREQUAL "EXECUTABLE" AND "GTest::gtest_main" IN_LIST links)
      quillet_precompile_headers(${target} <gtest/gtest.h>)
    endif()
  endforeach()
endfunction()
