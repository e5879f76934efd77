# rhyth_add_test_executable(<name> LABEL <label> SOURCES ... LIBRARIES ... [EXTRA_LABELS ...])
# One GoogleTest executable per piece, its tests discovered by CTest and labelled by piece.
function(rhyth_add_test_executable name)
  cmake_parse_arguments(ARG "" "LABEL" "SOURCES;LIBRARIES;EXTRA_LABELS" ${ARGN})
  add_executable(${name} ${ARG_SOURCES})
  target_link_libraries(${name} PRIVATE ${ARG_LIBRARIES} GTest::gtest GTest::gmock GTest::gtest_main)
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
