# rhyth_add_test_executable(<name> LABEL <label> SOURCES ... LIBRARIES ...)
# One GoogleTest executable per piece, its tests discovered by CTest and labelled by piece.
function(rhyth_add_test_executable name)
  cmake_parse_arguments(ARG "" "LABEL" "SOURCES;LIBRARIES;EXTRA_LABELS" ${ARGN})
  add_executable(${name} ${ARG_SOURCES})
  target_link_libraries(${name} PRIVATE ${ARG_LIBRARIES} GTest::gtest GTest::gmock GTest::gtest_main)
  gtest_discover_tests(${name}
    DISCOVERY_MODE PRE_TEST
    PROPERTIES LABELS "${ARG_LABEL};${ARG_EXTRA_LABELS}"
    WORKING_DIRECTORY ${CMAKE_CURRENT_SOURCE_DIR})
endfunction()
