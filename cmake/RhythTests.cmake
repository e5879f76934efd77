# rhyth_add_test_executable(<name> LABEL <label> SOURCES ... LIBRARIES ... [EXTRA_LABELS ...])
# One GoogleTest executable per piece, its tests discovered by CTest and labelled by piece.
function(rhyth_add_test_executable name)
  cmake_parse_arguments(ARG "" "LABEL" "SOURCES;LIBRARIES;EXTRA_LABELS" ${ARGN})
  add_executable(${name} ${ARG_SOURCES})
  target_link_libraries(${name} PRIVATE ${ARG_LIBRARIES} GTest::gtest GTest::gmock GTest::gtest_main)
  rhyth_compile_in_batches(${name})
  gtest_discover_tests(${name}
    DISCOVERY_MODE PRE_TEST
    PROPERTIES LABELS ${ARG_LABEL}
    WORKING_DIRECTORY ${CMAKE_CURRENT_SOURCE_DIR})
  # Test discovery passes its properties on as a flat list, where a second label would read as
  # another property's name; so the labels are set again on the discovered tests, by a script
  # that CTest reads after the discovery's own.
  if(ARG_EXTRA_LABELS)
    set(script "${CMAKE_CURRENT_BINARY_DIR}/${name}_labels.cmake")
    file(WRITE "${script}"
      "foreach(test IN LISTS ${name}_TESTS)\n"
      "  set_tests_properties(\"\${test}\" PROPERTIES LABELS \"${ARG_LABEL};${ARG_EXTRA_LABELS}\")\n"
      "endforeach()\n")
    set_property(DIRECTORY APPEND PROPERTY TEST_INCLUDE_FILES "${script}")
  endif()
endfunction()

# rhyth_compile_in_batches(<target>): the target's sources compile a few to a translation unit.
# Test sources are short, and most of their compile time goes to the headers they share; a batch
# parses those once. Names at file scope (anonymous namespaces included) must then differ between
# the sources of one target; a source that cannot follow that sets SKIP_UNITY_BUILD_INCLUSION.
function(rhyth_compile_in_batches target)
  set_target_properties(${target} PROPERTIES UNITY_BUILD ON UNITY_BUILD_BATCH_SIZE 8)
  # The batch file, not the source, is the main file: a source's own anonymous types would
  # count as a header's, and templates from real headers instantiated with them would warn.
  target_compile_options(${target} PRIVATE -Wno-subobject-linkage)
endfunction()

# rhyth_build_tests_unoptimised(): every target defined under a tests/ folder compiles at -O0.
# Sanitized test code spends its run time in the libraries it calls, which stay at -O1; its own
# translation units, mostly test macros, build in about half the time without optimisation.
function(rhyth_build_tests_unoptimised)
  rhyth_collect_test_folders("${CMAKE_SOURCE_DIR}" folders)
  foreach(folder IN LISTS folders)
    get_property(targets DIRECTORY "${folder}" PROPERTY BUILDSYSTEM_TARGETS)
    foreach(target IN LISTS targets)
      get_target_property(type ${target} TYPE)
      if(NOT type STREQUAL "INTERFACE_LIBRARY" AND NOT type STREQUAL "UTILITY")
        target_compile_options(${target} PRIVATE -O0)
      endif()
    endforeach()
  endforeach()
endfunction()

# The folders named tests, and every folder below one.
function(rhyth_collect_test_folders folder out)
  set(found "")
  get_property(children DIRECTORY "${folder}" PROPERTY SUBDIRECTORIES)
  foreach(child IN LISTS children)
    file(RELATIVE_PATH relative "${CMAKE_SOURCE_DIR}" "${child}")
    if(relative MATCHES "(^|/)tests(/|$)")
      list(APPEND found "${child}")
    endif()
    rhyth_collect_test_folders("${child}" below)
    list(APPEND found ${below})
  endforeach()
  set(${out} ${found} PARENT_SCOPE)
endfunction()
