# Outside the machine's folders its fields are read-only: the file FILE must compile as
# it is, and fail to compile, naming the access it refuses, with each of its WRITE_*
# macros defined.
#
#   cmake -DCXX=c++ -DINCLUDE=src -DFILE=tests/layers/outside_writes/outside.cpp -P scripts/check_outside_writes.cmake
cmake_minimum_required(VERSION 3.20)
set(compile ${CXX} -std=c++20 -fsyntax-only -I${INCLUDE} ${FILE})
execute_process(COMMAND ${compile} RESULT_VARIABLE result ERROR_VARIABLE errors)
if(NOT result EQUAL 0)
  message(FATAL_ERROR "outside writes: the reads and named writes do not compile:\n${errors}")
endif()
set(refused 0)
foreach(write WRITE_MEMBER WRITE_THROUGH_VIEW WRITE_THROUGH_BASE WRITE_MEMORY WRITE_BY_WALK)
  execute_process(COMMAND ${compile} -D${write} RESULT_VARIABLE result ERROR_VARIABLE errors)
  if(result EQUAL 0)
    message(FATAL_ERROR "outside writes: ${write} compiles")
  elseif(NOT errors MATCHES "inaccessible|protected|private|read-only|const-qualified|cannot assign")
    message(FATAL_ERROR "outside writes: ${write} fails for another reason:\n${errors}")
  endif()
  math(EXPR refused "${refused} + 1")
endforeach()
message(STATUS "outside writes: ${refused} writes refused")
