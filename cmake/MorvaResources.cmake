# morva_add_resource_dll(<target> RC <script> OUTPUT_DIR <dir> [VERSION a.b.c.d] [NAME file.dll])
#
# Builds a resource-only DLL (no code, no entry point) from one resource script.
# The script sees the version as RES_VERSION_MAJOR/MINOR/PATCH/BUILD (windres
# passes defines through a shell, so texts are built in the script from these
# numbers); without VERSION it gets the project's own version.
function(morva_add_resource_dll target)
  cmake_parse_arguments(ARG "" "RC;OUTPUT_DIR;VERSION;NAME" "" ${ARGN})
  if(NOT ARG_VERSION)
    set(ARG_VERSION ${PROJECT_VERSION})
  endif()
  if(NOT ARG_NAME)
    set(ARG_NAME MorvaCommonResU.dll)
  endif()
  string(REPLACE "." ";" parts ${ARG_VERSION})
  list(GET parts 0 v0)
  list(GET parts 1 v1)
  list(GET parts 2 v2)
  list(GET parts 3 v3)
  get_filename_component(stem ${ARG_NAME} NAME_WE)
  add_library(${target} SHARED ${ARG_RC})
  set_target_properties(${target} PROPERTIES
    OUTPUT_NAME ${stem} PREFIX "" SUFFIX ".dll"
    RUNTIME_OUTPUT_DIRECTORY ${ARG_OUTPUT_DIR}
    LIBRARY_OUTPUT_DIRECTORY ${ARG_OUTPUT_DIR}
    ARCHIVE_OUTPUT_DIRECTORY ${CMAKE_CURRENT_BINARY_DIR}/${target}
    LINKER_LANGUAGE C)
  target_compile_definitions(${target} PRIVATE
    RES_VERSION_MAJOR=${v0} RES_VERSION_MINOR=${v1} RES_VERSION_PATCH=${v2} RES_VERSION_BUILD=${v3})
  target_include_directories(${target} PRIVATE ${PROJECT_BINARY_DIR}/generated ${PROJECT_SOURCE_DIR}/resources)
  # No code: no C runtime, no entry point, no import library worth keeping.
  target_link_options(${target} PRIVATE -nostdlib -Wl,--entry=0 -Wl,--no-insert-timestamp)
  set_target_properties(${target} PROPERTIES LINK_LIBRARIES "")
endfunction()
