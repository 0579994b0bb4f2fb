# cmake -D SOURCE_DIR=... -D WORK_DIR=... -P ThreadsSuitesTest.cmake
# What the ThreadSanitizer stage builds rests on two pieces: reading test
# sources for threads suites (cmake/ThreadsSuites.cmake) and the check of a
# linked executable against what was read (cmake/CheckThreadsSuites.cmake).
# Both are run here on small sources and listings written for each case.
cmake_minimum_required(VERSION 3.25)
include(${SOURCE_DIR}/cmake/ThreadsSuites.cmake)

set(failures "")
macro(expect what actual expected)
  if(NOT "${actual}" STREQUAL "${expected}")
    list(APPEND failures "${what}: got [${actual}], expected [${expected}]")
  endif()
endmacro()

file(REMOVE_RECURSE ${WORK_DIR})
file(MAKE_DIRECTORY ${WORK_DIR})
set(CMAKE_CURRENT_SOURCE_DIR ${WORK_DIR})

# Reading sources. Each case: a source's text, then what it is (threads,
# helper or plain) and the threads suites it defines.
set(cases
  "plain.cpp|TEST(Foo, A) {}\nTEST_F(FooThreadsLike, B) {}\n|plain|"
  "one.cpp|TEST(FooThreads, A) {}\n|threads|FooThreads"
  "spaced.cpp|TEST_F( BarThreads ,\n       SpreadOverLines) {}\n|threads|BarThreads"
  "param.cpp|TEST_P(KindsThreads, A) {}\nINSTANTIATE_TEST_SUITE_P(Kinds, KindsThreads, Values(1))\n|threads|KindsThreads"
  "mixed.cpp|TEST(Unit, A) {}\nTEST(MixedThreads, A) {}\nTEST(MixedThreads, B) {}\nTEST(OtherThreads, C) {}\n|threads|MixedThreads,OtherThreads"
  "helper.cpp|// Fixture code the tests link: no TEST here.\nint HelperValue() { return 1 }\n|helper|"
  "typed.cpp|TYPED_TEST(Typed, A) {}\n|plain|"
  "prefixed.cpp|MY_TEST(PrefixedThreads, A) {}\nTEST(Unit, A) {}\n|plain|")
set(all_sources "")
set(expected_threads "")
set(expected_helpers "")
set(expected_suites "")
foreach(case IN LISTS cases)
  string(REPLACE "|" ";" fields "${case}")
  list(GET fields 0 name)
  list(GET fields 1 text)
  list(GET fields 2 kind)
  list(LENGTH fields count)
  set(suites "")
  if(count GREATER 3)
    list(GET fields 3 suites)
  endif()
  file(WRITE ${WORK_DIR}/${name} "${text}")
  list(APPEND all_sources ${name})
  hv_find_threads_suites(threads helpers found ${name})
  string(JOIN "," found ${found})
  expect("${name}: threads suites" "${found}" "${suites}")
  if(kind STREQUAL "threads")
    expect("${name}: threads source" "${threads}" "${name}")
    list(APPEND expected_threads ${name})
  else()
    expect("${name}: threads source" "${threads}" "")
  endif()
  if(kind STREQUAL "helper")
    expect("${name}: helper" "${helpers}" "${name}")
    list(APPEND expected_helpers ${name})
  else()
    expect("${name}: helper" "${helpers}" "")
  endif()
endforeach()
# All at once, as hv_add_gtest reads an executable's sources: a suite
# defined in two sources is named once.
file(WRITE ${WORK_DIR}/again.cpp "TEST(FooThreads, B) {}\n")
hv_find_threads_suites(threads helpers found ${all_sources} again.cpp)
expect("all sources: threads sources" "${threads}" "one.cpp;spaced.cpp;param.cpp;mixed.cpp;again.cpp")
expect("all sources: helpers" "${helpers}" "helper.cpp")
expect("all sources: suites" "${found}" "FooThreads;BarThreads;KindsThreads;MixedThreads;OtherThreads")

# The check of a linked executable. Each case: the suites CMake found, the
# listing the executable prints, and the text its failure must show ("" when
# it must pass).
set(checks
  "FooThreads|FooThreads.\n  A\n|"
  "FooThreads,BarThreads|FooThreads.\n  A\nBarThreads.\n  B\n|"
  "KindsThreads|Kinds/KindsThreads.\n  A/0  # GetParam() = 1\n|"
  "|Unit.\n  A\n|"
  "FooThreads|FooThreads.\n  A\nMacroThreads.\n  Made\n|holds the threads suites MacroThreads"
  "|Kinds/KindsThreads.\n  A/0\n|holds the threads suites KindsThreads"
  "FooThreads,CommentedThreads|FooThreads.\n  A\n|found the threads suites CommentedThreads")
set(index 0)
foreach(check IN LISTS checks)
  math(EXPR index "${index} + 1")
  string(REPLACE "|" ";" fields "${check}")
  list(GET fields 0 found)
  list(GET fields 1 listing)
  list(LENGTH fields count)
  set(failure "")
  if(count GREATER 2)
    list(GET fields 2 failure)
  endif()
  file(WRITE ${WORK_DIR}/listing-${index}.txt "${listing}")
  set(fake ${WORK_DIR}/fake-tests-${index})
  file(WRITE ${fake} "#!/bin/sh\ncat '${WORK_DIR}/listing-${index}.txt'\n")
  file(CHMOD ${fake} PERMISSIONS OWNER_READ OWNER_WRITE OWNER_EXECUTE)
  execute_process(
    COMMAND ${CMAKE_COMMAND} -D TEST_EXECUTABLE=${fake} -D TEST_TARGET=fake_tests
            -D "THREADS_SUITES=${found}" -P ${SOURCE_DIR}/cmake/CheckThreadsSuites.cmake
    RESULT_VARIABLE result
    OUTPUT_VARIABLE output
    ERROR_VARIABLE output)
  string(REGEX REPLACE "[ \n]+" " " output "${output}")
  if(failure STREQUAL "")
    expect("check ${index} passes" "${result}" "0")
  elseif(result EQUAL 0)
    list(APPEND failures "check ${index} passed, expected a failure showing \"${failure}\"")
  else()
    string(FIND "${output}" "${failure}" at)
    if(at EQUAL -1)
      list(APPEND failures "check ${index} failed without \"${failure}\": ${output}")
    endif()
  endif()
endforeach()

file(REMOVE_RECURSE ${WORK_DIR})
if(failures)
  string(JOIN "\n" failures ${failures})
  message(FATAL_ERROR "${failures}")
endif()
