# quillet_aggregate_target(<name> <directory>): a target that builds every executable and
# library defined under <directory> (recursively). The test and benchmark folders are added
# EXCLUDE_FROM_ALL so that the default build is only what the demo needs; `make test`
# builds these aggregates instead.
function(quillet_collect_targets directory out)
  get_property(targets DIRECTORY ${directory} PROPERTY BUILDSYSTEM_TARGETS)
  get_property(subdirectories DIRECTORY ${directory} PROPERTY SUBDIRECTORIES)
  foreach(subdirectory IN LISTS subdirectories)
    quillet_collect_targets(${subdirectory} more)
    list(APPEND targets ${more})
  endforeach()
  set(${out} ${targets} PARENT_SCOPE)
endfunction()

function(quillet_aggregate_target name directory)
  set(buildable "")
  quillet_collect_targets(${directory} targets)
  foreach(target IN LISTS targets)
    get_target_property(type ${target} TYPE)
    if(type MATCHES "^(EXECUTABLE|STATIC_LIBRARY|SHARED_LIBRARY|MODULE_LIBRARY|OBJECT_LIBRARY)$")
      list(APPEND buildable ${target})
    endif()
  endforeach()
  add_custom_target(${name})
  if(buildable)
    add_dependencies(${name} ${buildable})
  endif()
endfunction()
