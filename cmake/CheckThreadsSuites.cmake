# cmake -D TEST_EXECUTABLE=... -D TEST_TARGET=... -D THREADS_SUITES=A,B -P CheckThreadsSuites.cmake
# Run once a GoogleTest executable is linked (hv_add_gtest): fails unless the
# suites ending in "Threads" that it holds are exactly those CMake found in
# its sources (THREADS_SUITES). The ThreadSanitizer stage builds only the
# sources that define those, so a suite CMake missed would never run under
# ThreadSanitizer, and one it found but the executable lacks (in a comment or
# a disabled block) would have the stage build the executable for nothing.

execute_process(
  COMMAND "${TEST_EXECUTABLE}" --gtest_list_tests "--gtest_filter=*Threads.*"
  OUTPUT_VARIABLE listing
  ERROR_VARIABLE errors
  RESULT_VARIABLE result)
if(NOT result EQUAL 0)
  message(FATAL_ERROR "${TEST_TARGET}: listing its tests failed (${result}):\n${errors}")
endif()

string(REPLACE "," ";" found "${THREADS_SUITES}")
string(REPLACE "\n" ";" lines "${listing}")
set(held "")
foreach(line IN LISTS lines)
  # Suites are the lines that start without a space ("LMidiCommThreads."),
  # a parameterised one after its instantiation's prefix ("Kinds/FooThreads.").
  if(line MATCHES "^([A-Za-z0-9_]+/)?([A-Za-z0-9_]+Threads)\\.")
    list(APPEND held ${CMAKE_MATCH_2})
  endif()
endforeach()

set(missed ${held})
if(found)
  list(REMOVE_ITEM missed ${found})
endif()
if(missed)
  list(REMOVE_DUPLICATES missed)
  string(JOIN ", " named ${missed})
  message(FATAL_ERROR
    "${TEST_TARGET} holds the threads suites ${named}, which CMake did not find in its sources "
    "(hv_add_gtest in cmake/HVBuild.cmake looks for TEST, TEST_F or TEST_P naming the suite): "
    "the ThreadSanitizer stage would never run them. Re-run CMake if they are new; otherwise "
    "define them with one of those macros.")
endif()

set(absent ${found})
if(held)
  list(REMOVE_ITEM absent ${held})
endif()
if(absent)
  string(JOIN ", " named ${absent})
  message(FATAL_ERROR
    "CMake found the threads suites ${named} in the sources of ${TEST_TARGET}, but the executable "
    "holds no test of theirs (a suite in a comment or a disabled block?): the ThreadSanitizer stage "
    "would build it for them and run nothing.")
endif()
