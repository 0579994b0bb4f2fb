# cmake -D TEST_EXECUTABLE=... -D TEST_TARGET=... -D DECLARED_THREADS=ON|OFF -P CheckThreadsDeclaration.cmake
# Run after a GoogleTest executable is linked (hv_add_gtest): fails when the
# executable holds suites ending in "Threads" but its hv_add_gtest does not
# say THREADS (the ThreadSanitizer stage would build and run none of them),
# or says THREADS and holds none (the stage would build it for nothing).

execute_process(
  COMMAND "${TEST_EXECUTABLE}" --gtest_list_tests "--gtest_filter=*Threads.*"
  OUTPUT_VARIABLE listing
  ERROR_VARIABLE errors
  RESULT_VARIABLE result)
if(NOT result EQUAL 0)
  message(FATAL_ERROR "${TEST_TARGET}: listing its tests failed (${result}):\n${errors}")
endif()

# Suites are the lines that do not start with a space: "LMidiCommThreads.".
string(REPLACE "\n" ";" lines "${listing}")
set(suites "")
foreach(line IN LISTS lines)
  if(line MATCHES "^([A-Za-z0-9_/]+Threads)\\.")
    list(APPEND suites ${CMAKE_MATCH_1})
  endif()
endforeach()

if(suites AND NOT DECLARED_THREADS)
  string(JOIN ", " named ${suites})
  message(FATAL_ERROR
    "${TEST_TARGET} holds the threads suites ${named}, but its hv_add_gtest in tests/CMakeLists.txt "
    "does not say THREADS: the ThreadSanitizer stage (target hv_threads_tests) would never run them.")
endif()
if(NOT suites AND DECLARED_THREADS)
  message(FATAL_ERROR
    "${TEST_TARGET} says THREADS in tests/CMakeLists.txt but holds no suite ending in \"Threads\": "
    "take THREADS off, or the ThreadSanitizer stage builds it for nothing.")
endif()
