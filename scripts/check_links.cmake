# The link test: no library of TABLE may use a function or variable that is defined in
# a library its row does not reach, directly or through the libraries below it. The
# include test cannot see this: the Machine is declared in one folder and its member
# functions are defined in others, so a call compiles wherever the declaration is
# seen, and a program that links every library links it too.
#
#   cmake -DTABLE=src/layers.txt -DNM=nm -DLIBRARIES="machine=libverdin_machine.a|..."
#         -P scripts/check_links.cmake
#
# LIBRARIES names every library of the table with its archive, "|" between them (a ";"
# would split the test's command line). Only strong definitions count: an inline
# function or a template is defined weakly in every library that uses it, so none of
# them needs another library for it.
cmake_minimum_required(VERSION 3.20)
get_filename_component(TABLE "${TABLE}" ABSOLUTE)
include(${CMAKE_CURRENT_LIST_DIR}/layers.cmake)
verdin_read_layers("${TABLE}")

# The libraries `library` may use: its row's, and theirs in turn.
function(_reach library out)
  set(reach "")
  set(pending ${VERDIN_LIBRARY_${library}_USES})
  while(pending)
    list(POP_FRONT pending next)
    if(NOT next IN_LIST reach)
      list(APPEND reach ${next})
      list(APPEND pending ${VERDIN_LIBRARY_${next}_USES})
    endif()
  endwhile()
  set(${out} ${reach} PARENT_SCOPE)
endfunction()

# nm -P prints "name type value size" a symbol, and "archive[member]:" per member.
function(_symbols archive options out)
  execute_process(COMMAND ${NM} -g -P ${options} "${archive}"
                  OUTPUT_VARIABLE text RESULT_VARIABLE result ERROR_VARIABLE errors)
  if(NOT result EQUAL 0)
    message(FATAL_ERROR "links: ${NM} cannot read ${archive}:\n${errors}")
  endif()
  string(REGEX MATCHALL "[^\n]+" lines "${text}")
  set(${out} ${lines} PARENT_SCOPE)
endfunction()

set(libraries "")
string(REPLACE "|" ";" LIBRARIES "${LIBRARIES}")
foreach(entry IN LISTS LIBRARIES)
  string(REGEX MATCH "^([^=]+)=(.+)$" matched "${entry}")
  if(NOT matched OR NOT CMAKE_MATCH_1 IN_LIST VERDIN_LAYER_LIBRARIES)
    message(FATAL_ERROR "links: \"${entry}\" names no library of ${TABLE}")
  endif()
  list(APPEND libraries ${CMAKE_MATCH_1})
  set(archive_${CMAKE_MATCH_1} "${CMAKE_MATCH_2}")
endforeach()
foreach(library IN LISTS VERDIN_LAYER_LIBRARIES)
  if(NOT library IN_LIST libraries)
    message(FATAL_ERROR "links: no archive given for the library ${library}")
  endif()
endforeach()

# Which library defines each symbol. Mangled names are plain identifiers, with "." in
# the names of a function's clones: fit for a variable name.
set(defined 0)
foreach(library IN LISTS libraries)
  _symbols("${archive_${library}}" --defined-only lines)
  foreach(line IN LISTS lines)
    if(line MATCHES "^([A-Za-z0-9_.]+) [TDBR] ")
      set("owner_${CMAKE_MATCH_1}" ${library})
      math(EXPR defined "${defined} + 1")
    endif()
  endforeach()
endforeach()

set(faults "")
foreach(library IN LISTS libraries)
  _reach(${library} reach)
  _symbols("${archive_${library}}" --undefined-only lines)
  set(seen "")
  foreach(line IN LISTS lines)
    if(NOT line MATCHES "^([A-Za-z0-9_.]+) U")
      continue()
    endif()
    set(symbol ${CMAKE_MATCH_1})
    set(owner "${owner_${symbol}}")
    if(owner STREQUAL "" OR owner STREQUAL library OR owner IN_LIST reach OR symbol IN_LIST seen)
      continue()
    endif()
    list(APPEND seen ${symbol})
    execute_process(COMMAND c++filt "${symbol}" OUTPUT_VARIABLE shown RESULT_VARIABLE result
                    OUTPUT_STRIP_TRAILING_WHITESPACE ERROR_QUIET)
    if(NOT result EQUAL 0 OR shown STREQUAL "")
      set(shown ${symbol})
    endif()
    list(JOIN reach " " allowed)
    if(allowed STREQUAL "")
      set(allowed "nothing")
    endif()
    list(APPEND faults "${library} uses ${shown}, defined in ${owner}, but ${library} may link only to: ${allowed}")
  endforeach()
endforeach()

if(defined EQUAL 0)
  message(FATAL_ERROR "links: ${NM} found no definitions at all, so nothing was checked")
endif()
if(faults)
  list(LENGTH faults count)
  foreach(fault IN LISTS faults)
    message("links: ${fault}")
  endforeach()
  message(FATAL_ERROR "links: ${count} fault(s)")
endif()
list(LENGTH libraries count)
message(STATUS "links: ${count} libraries, ${defined} definitions, every use reaches down")
