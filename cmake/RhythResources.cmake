# rhyth_add_resources(<target> MODULE <module-name> ACCESSOR <function-name> MANIFEST <file>)
# Compiles the resources a manifest lists into a C++ table and adds it to <target>.
# The accessor `HMODULE <function-name>()` returns the module handle under which
# FindResourceW and friends find them.
function(rhyth_add_resources target)
  cmake_parse_arguments(ARG "" "MODULE;ACCESSOR;MANIFEST" "" ${ARGN})
  get_filename_component(manifest "${ARG_MANIFEST}" ABSOLUTE)
  set(out "${CMAKE_CURRENT_BINARY_DIR}/${ARG_ACCESSOR}_resources.cpp")
  set(compiler "${CMAKE_SOURCE_DIR}/scripts/compile_resources.py")
  # The manifest names its inputs; list them so that edits rebuild the table.
  execute_process(
    COMMAND ${Python3_EXECUTABLE} ${compiler} --list-inputs ${manifest}
    OUTPUT_VARIABLE inputs OUTPUT_STRIP_TRAILING_WHITESPACE
    COMMAND_ERROR_IS_FATAL ANY)
  set_property(DIRECTORY APPEND PROPERTY CMAKE_CONFIGURE_DEPENDS ${manifest})
  add_custom_command(
    OUTPUT ${out}
    COMMAND ${Python3_EXECUTABLE} ${compiler}
            --module ${ARG_MODULE} --accessor ${ARG_ACCESSOR} --output ${out} ${manifest}
    DEPENDS ${compiler} ${manifest} ${inputs}
    COMMENT "Compiling resources of ${ARG_MODULE}"
    VERBATIM)
  target_sources(${target} PRIVATE ${out})
endfunction()
