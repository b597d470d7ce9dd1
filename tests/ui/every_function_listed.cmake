# Fails when the Xvfb test program holds a test function that none of its
# runs names: such a function would never run.
cmake_minimum_required(VERSION 3.20)
execute_process(COMMAND ${PROGRAM} -functions OUTPUT_VARIABLE listing RESULT_VARIABLE status)
if(NOT status EQUAL 0)
  message(FATAL_ERROR "${PROGRAM} -functions failed: ${status}")
endif()
string(REGEX MATCHALL "[A-Za-z0-9_]+\\(\\)" functions "${listing}")
foreach(function IN LISTS functions)
  string(REPLACE "()" "" name "${function}")
  if(NOT name IN_LIST LISTED)
    message(FATAL_ERROR "${name} is in no run of ${PROGRAM}: add it to a list in tests/ui/CMakeLists.txt")
  endif()
endforeach()
