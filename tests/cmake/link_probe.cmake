# Fails when a library links one that it must not.
#   cmake -DLIBRARY=<name> -DLINKED=<a:b:...> -DREFUSED=<x:y:...> -P link_probe.cmake
# LINKED is the library's link interface, REFUSED the libraries it must not
# name; a system library counts under any spelling the linker takes (user32,
# -luser32, libuser32.a, user32.lib).
cmake_minimum_required(VERSION 3.20)
string(REPLACE ":" ";" linked "${LINKED}")
string(REPLACE ":" ";" refused "${REFUSED}")
set(found)
foreach(entry IN LISTS linked)
  get_filename_component(name "${entry}" NAME)
  string(TOLOWER "${name}" name)
  string(REGEX REPLACE "^-l" "" name "${name}")
  string(REGEX REPLACE "^lib(.*)\\.a$" "\\1" name "${name}")
  string(REGEX REPLACE "\\.lib$" "" name "${name}")
  if(name IN_LIST refused)
    list(APPEND found ${entry})
  endif()
endforeach()
if(found)
  list(JOIN found ", " found)
  message(FATAL_ERROR "${LIBRARY} links ${found}")
endif()
list(JOIN linked ", " linked)
message(STATUS "${LIBRARY} links ${linked}, none of the refused libraries")
