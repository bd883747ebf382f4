# morva_copy_runtime(<target>)
#
# After every build of <target> (a host program or DLL), copies MorvaCommonU.dll
# and the language resource libraries, each in its culture folder
# (en-US/MorvaCommonResU.dll, de-DE/...), into the folder of <target>'s file, so
# that the program runs from where it was built. Works the same for a host that
# took the project in with add_subdirectory and for one that found the installed
# package with find_package(MorvaCommon CONFIG).
#
# This file is read by the project itself and by the installed package
# configuration; each tells it where the files are with morva_set_runtime_files.

# morva_set_runtime_files(<library dll> <cultures> <resource dlls>): the DLL and,
# for each culture in order, its resource library (paths or generator expressions).
function(morva_set_runtime_files dll cultures resources)
  set_property(GLOBAL PROPERTY MORVA_RUNTIME_DLL "${dll}")
  set_property(GLOBAL PROPERTY MORVA_RUNTIME_CULTURES "${cultures}")
  set_property(GLOBAL PROPERTY MORVA_RUNTIME_RESOURCES "${resources}")
endfunction()

function(morva_copy_runtime target)
  if(NOT TARGET ${target})
    message(FATAL_ERROR "morva_copy_runtime: '${target}' is not a target of this project")
  endif()
  get_property(dll GLOBAL PROPERTY MORVA_RUNTIME_DLL)
  get_property(cultures GLOBAL PROPERTY MORVA_RUNTIME_CULTURES)
  get_property(resources GLOBAL PROPERTY MORVA_RUNTIME_RESOURCES)
  if(NOT dll)
    message(FATAL_ERROR "morva_copy_runtime: MorvaCommon was neither found nor added to this project")
  endif()
  set(commands COMMAND ${CMAKE_COMMAND} -E copy_if_different "${dll}" "$<TARGET_FILE_DIR:${target}>")
  foreach(culture resource IN ZIP_LISTS cultures resources)
    list(APPEND commands
      COMMAND ${CMAKE_COMMAND} -E make_directory "$<TARGET_FILE_DIR:${target}>/${culture}"
      COMMAND ${CMAKE_COMMAND} -E copy_if_different "${resource}" "$<TARGET_FILE_DIR:${target}>/${culture}")
  endforeach()
  add_custom_command(TARGET ${target} POST_BUILD ${commands} VERBATIM)
endfunction()
