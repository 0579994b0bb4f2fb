# Build settings shared by every target: warnings, sanitizers, ccache, and the
# helpers that declare the subsystem libraries and their test executables.

find_program(HV_CCACHE ccache)
if(HV_CCACHE)
  set(CMAKE_C_COMPILER_LAUNCHER "${HV_CCACHE}")
  set(CMAKE_CXX_COMPILER_LAUNCHER "${HV_CCACHE}")
endif()

# Exception messages quote the throwing source file; keep those paths relative
# to the repository so they do not depend on where the tree was checked out.
# ccache (with CCACHE_BASEDIR) hands the compiler paths relative to the build
# folder, so map that form too. The relative path may come with a trailing
# slash ("../../"); the map needs exactly one, or it never matches.
add_compile_options("-fmacro-prefix-map=${CMAKE_SOURCE_DIR}/=")
file(RELATIVE_PATH HV_SOURCE_FROM_BUILD "${CMAKE_BINARY_DIR}" "${CMAKE_SOURCE_DIR}")
string(REGEX REPLACE "/+$" "" HV_SOURCE_FROM_BUILD "${HV_SOURCE_FROM_BUILD}")
if(HV_SOURCE_FROM_BUILD)
  add_compile_options("-fmacro-prefix-map=${HV_SOURCE_FROM_BUILD}/=")
  # ccache leaves prefix maps out of its hash, so objects built under another
  # map would be reused; naming the map in a definition puts it in the hash.
  add_compile_definitions("HV_MACRO_PREFIX_MAP=\"${HV_SOURCE_FROM_BUILD}/\"")
endif()

# HV_ASSERT checks (ObjectBase/Assert.h): on in the sanitizer presets, which
# run the tests; off in release builds.
option(HV_ASSERTS "Check invariants with HV_ASSERT" OFF)
if(HV_ASSERTS)
  add_compile_definitions(HV_ENABLE_ASSERTS)
endif()

set(HV_WARNINGS -Wall -Wextra -Wpedantic -Wshadow=local -Wnon-virtual-dtor
    -Woverloaded-virtual -Wimplicit-fallthrough)
if(CMAKE_CXX_COMPILER_ID STREQUAL "Clang")
  # clang (the fuzz preset) names the local-shadowing warning differently
  list(TRANSFORM HV_WARNINGS REPLACE "^-Wshadow=local$" "-Wshadow-uncaptured-local")
endif()

if(HV_SANITIZE STREQUAL "address")
  add_compile_options(-fsanitize=address,undefined -fno-sanitize-recover=undefined
                      -fno-omit-frame-pointer)
  add_link_options(-fsanitize=address,undefined)
elseif(HV_SANITIZE STREQUAL "thread")
  add_compile_options(-fsanitize=thread -fno-omit-frame-pointer)
  add_link_options(-fsanitize=thread)
elseif(NOT HV_SANITIZE STREQUAL "")
  message(FATAL_ERROR "HV_SANITIZE must be empty, address or thread")
endif()

# Fuzz builds instrument every library for coverage, so the fuzzers see into
# the code they drive; only the fuzz targets link libFuzzer's main.
if(HV_BUILD_FUZZERS)
  add_compile_options(-fsanitize=fuzzer-no-link)
endif()

# hv_add_library(name SOURCES ... [DEPENDS ...])
# One static library per subsystem; its headers are included by their path
# from the repository root ("HVFramework/ObjectBase/RefCountedObject.h").
function(hv_add_library name)
  cmake_parse_arguments(ARG "" "" "SOURCES;DEPENDS" ${ARGN})
  add_library(${name} STATIC ${ARG_SOURCES})
  target_include_directories(${name} PUBLIC ${CMAKE_SOURCE_DIR})
  target_compile_options(${name} PRIVATE ${HV_WARNINGS})
  if(ARG_DEPENDS)
    target_link_libraries(${name} PUBLIC ${ARG_DEPENDS})
  endif()
endfunction()

# hv_add_gtest(name SOURCES ... DEPENDS ...)
# One GoogleTest executable per subsystem. CTest labels come from the test
# suite's name: suites ending in "Threads" are labelled threads (also run
# under ThreadSanitizer), "Display" display (run under Xvfb), "Slow" slow;
# every other suite is labelled unit.
function(hv_add_gtest name)
  cmake_parse_arguments(ARG "" "" "SOURCES;DEPENDS" ${ARGN})
  add_executable(${name} ${ARG_SOURCES})
  target_compile_options(${name} PRIVATE ${HV_WARNINGS})
  target_link_libraries(${name} PRIVATE ${ARG_DEPENDS} GTest::gmock GTest::gtest_main)
  target_include_directories(${name} PRIVATE ${CMAKE_SOURCE_DIR})
  set(special "*Threads.*:*Display.*:*Slow.*")
  gtest_discover_tests(${name} TEST_FILTER "-${special}"
                       PROPERTIES LABELS unit DISCOVERY_TIMEOUT 60)
  foreach(kind Threads Display Slow)
    string(TOLOWER ${kind} label)
    gtest_discover_tests(${name} TEST_FILTER "*${kind}.*"
                         PROPERTIES LABELS ${label} DISCOVERY_TIMEOUT 60)
  endforeach()
endfunction()

# hv_add_benchmark(name SOURCES ... DEPENDS ...)
function(hv_add_benchmark name)
  cmake_parse_arguments(ARG "" "" "SOURCES;DEPENDS" ${ARGN})
  add_executable(${name} ${ARG_SOURCES})
  target_compile_options(${name} PRIVATE ${HV_WARNINGS})
  target_link_libraries(${name} PRIVATE ${ARG_DEPENDS} benchmark::benchmark_main)
endfunction()

# hv_place_beside_libraries(target)
# Puts an executable in the build's top folder, next to the shared libraries
# it loads at run time, and lets the loader search its own folder first
# (RUNPATH $ORIGIN): a bare library name then resolves as it does for the program.
function(hv_place_beside_libraries target)
  set_target_properties(${target} PROPERTIES
    RUNTIME_OUTPUT_DIRECTORY ${CMAKE_BINARY_DIR}
    BUILD_RPATH "\$ORIGIN"
    INSTALL_RPATH "\$ORIGIN")
endfunction()
