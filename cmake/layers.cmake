# One static library per layer of the runtime, each with its own include
# view, so that a layer can include only its own headers and those of the
# layers it depends on.
#
# Every include names its folder from the source root
# (#include "runtime/core/heap.h"). A library's include view is a folder of
# the build tree, build/include/<library>/, holding a link to each of its
# source folders at the same relative path; a target sees the views of the
# libraries it links and nothing else. A header of a layer that the target
# does not link is therefore not found, and the compiler says so.

# talv_include_view(<library> <folder>...): the library's view, made PUBLIC.
function(talv_include_view lib)
  set(view ${CMAKE_BINARY_DIR}/include/${lib})
  foreach(dir IN LISTS ARGN)
    get_filename_component(parent ${view}/${dir} DIRECTORY)
    file(MAKE_DIRECTORY ${parent})
    if(NOT IS_SYMLINK ${view}/${dir})
      file(CREATE_LINK ${CMAKE_SOURCE_DIR}/${dir} ${view}/${dir} SYMBOLIC)
    endif()
  endforeach()
  get_target_property(type ${lib} TYPE)
  if(type STREQUAL "INTERFACE_LIBRARY")
    target_include_directories(${lib} INTERFACE ${view})
  else()
    target_include_directories(${lib} PUBLIC ${view})
  endif()
endfunction()

# talv_layer(<library> FOLDERS <folder>... [USES <library>...]
#            [SYSTEM <win32 import library>...])
# A static library of the folders' sources (chosen by talv_collect's naming
# rule), its include view, the layers it may use and, in the target tree,
# the system libraries it calls.
# A layer whose folders hold target-only sources is, in the native tree, an
# interface library: its headers' view and its uses, and nothing to build.
function(talv_layer lib)
  cmake_parse_arguments(PARSE_ARGV 1 arg "" "" "FOLDERS;USES;SYSTEM")
  talv_collect(sources ${arg_FOLDERS})
  if(sources)
    add_library(${lib} STATIC ${sources})
    set(scope PUBLIC)
  else()
    add_library(${lib} INTERFACE)
    set(scope INTERFACE)
  endif()
  talv_include_view(${lib} ${arg_FOLDERS})
  target_link_libraries(${lib} ${scope} ${arg_USES})
  if(WIN32 AND arg_SYSTEM)
    target_link_libraries(${lib} ${scope} ${arg_SYSTEM})
  endif()
endfunction()
