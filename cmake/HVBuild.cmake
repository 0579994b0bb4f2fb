# Build settings shared by every target: warnings, sanitizers, ccache, and the
# helpers that declare the subsystem libraries and their test executables.

include(${CMAKE_CURRENT_LIST_DIR}/HVLibraryFolders.cmake)
include(${CMAKE_CURRENT_LIST_DIR}/ThreadsSuites.cmake)

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

# hv_add_library(name SOURCES ... [DEPENDS ...] [HEADERS ...])
# One static library per subsystem. Its headers are included by their path
# from the repository root ("HVFramework/ObjectBase/RefCountedObject.h"), but
# a library sees only its own folders and those of its dependencies: see
# hv_stage_include_folders.
#
# HEADERS names header-only parts of the library that sit in a folder whose
# sources belong to another library (the geometry headers of hv_core beside
# hv_graphics' bitmaps): their folder is published too, and the header check
# compiles them with this library's view.
function(hv_add_library name)
  cmake_parse_arguments(ARG "" "" "SOURCES;DEPENDS;HEADERS" ${ARGN})
  add_library(${name} STATIC ${ARG_SOURCES})
  hv_stage_include_folders(${name} ${ARG_SOURCES} ${ARG_HEADERS})
  target_compile_options(${name} PRIVATE ${HV_WARNINGS})
  if(ARG_DEPENDS)
    target_link_libraries(${name} PUBLIC ${ARG_DEPENDS})
  endif()
endfunction()

# hv_stage_include_folders(name file...)
# The folders of a library's sources (or, for an interface library, headers), and the header-only folders beside them
# (an Inc beside a Src), are linked into build/include/<name>/public or
# .../private under their repository path: folders named Src are private to
# the library, every other one is public and seen by whoever links it.
function(hv_stage_include_folders name)
  set(folders "")
  foreach(source ${ARGN})
    get_filename_component(path ${source} ABSOLUTE BASE_DIR ${CMAKE_CURRENT_SOURCE_DIR})
    get_filename_component(folder ${path} DIRECTORY)
    file(RELATIVE_PATH folder ${CMAKE_SOURCE_DIR} ${folder})
    list(APPEND folders ${folder})
    hv_claim_library_folder(${name} ${folder})
    # The header of the same name belongs to this library.
    get_filename_component(base ${source} NAME_WLE)
    set_property(GLOBAL PROPERTY HV_HEADER_LIBRARY_${folder}/${base} ${name})
    get_filename_component(parent ${CMAKE_SOURCE_DIR}/${folder} DIRECTORY)
    file(GLOB siblings LIST_DIRECTORIES true ${parent}/*)
    foreach(sibling ${siblings})
      file(GLOB headers ${sibling}/*.h)
      file(GLOB sources ${sibling}/*.cpp ${sibling}/*.c)
      if(IS_DIRECTORY ${sibling} AND headers AND NOT sources)
        file(RELATIVE_PATH sibling ${CMAKE_SOURCE_DIR} ${sibling})
        list(APPEND folders ${sibling})
      endif()
    endforeach()
  endforeach()
  list(REMOVE_DUPLICATES folders)
  list(SORT folders)
  set(stage ${CMAKE_BINARY_DIR}/include/${name})
  # Links left by an earlier configure may lead into the source tree (a folder
  # that was linked whole and has since been split): start from nothing, once
  # per configure. REMOVE_RECURSE removes links, never what they point to.
  get_property(fresh GLOBAL PROPERTY HV_STAGE_FRESH_${name})
  if(NOT fresh)
    file(REMOVE_RECURSE ${stage})
    set_property(GLOBAL PROPERTY HV_STAGE_FRESH_${name} TRUE)
  endif()
  set(staged "")
  foreach(folder ${folders})
    # A folder inside one already linked is reached through that link.
    set(covered FALSE)
    foreach(outer ${staged})
      string(FIND "${folder}/" "${outer}/" at)
      if(at EQUAL 0)
        set(covered TRUE)
      endif()
    endforeach()
    if(covered)
      continue()
    endif()
    list(APPEND staged ${folder})
    if(folder MATCHES "(^|/)Src$")
      set(kind private)
    else()
      set(kind public)
    endif()
    set(link ${stage}/${kind}/${folder})
    get_filename_component(parent ${link} DIRECTORY)
    file(MAKE_DIRECTORY ${parent})
    # Only the link itself is ever removed, never what it points to.
    if(IS_SYMLINK ${link})
      file(REMOVE ${link})
    endif()
    file(CREATE_LINK ${CMAKE_SOURCE_DIR}/${folder} ${link} SYMBOLIC)
    set_property(GLOBAL APPEND PROPERTY HV_HEADER_OWNERS_${folder} ${name})
    set_property(GLOBAL APPEND PROPERTY HV_HEADER_FOLDERS ${folder})
  endforeach()
  file(MAKE_DIRECTORY ${stage}/public ${stage}/private)
  get_target_property(type ${name} TYPE)
  if(type STREQUAL "INTERFACE_LIBRARY")
    target_include_directories(${name} INTERFACE ${stage}/public)
  else()
    target_include_directories(${name} PUBLIC ${stage}/public PRIVATE ${stage}/private)
  endif()
endfunction()

# hv_add_header_check()
# With the tests: object libraries that compile each header of the staged
# folders (outside tests/) on its own, with exactly what its library sees. A
# header belongs to the library that builds the source of its name; a header
# without one is compiled with what all the libraries of its folder see
# together. Runs once the whole tree is read.
function(hv_add_header_check)
  get_property(folders GLOBAL PROPERTY HV_HEADER_FOLDERS)
  list(REMOVE_DUPLICATES folders)
  set(groups "")
  foreach(folder ${folders})
    if(folder MATCHES "^tests(/|$)")
      continue()
    endif()
    get_property(sharers GLOBAL PROPERTY HV_HEADER_OWNERS_${folder})
    list(REMOVE_DUPLICATES sharers)
    file(GLOB_RECURSE headers RELATIVE ${CMAKE_SOURCE_DIR} ${CMAKE_SOURCE_DIR}/${folder}/*.h)
    foreach(header ${headers})
      string(REGEX REPLACE "\\.h$" "" base ${header})
      get_property(owners GLOBAL PROPERTY HV_HEADER_LIBRARY_${base})
      if(NOT owners)
        set(owners ${sharers})
      endif()
      string(JOIN "+" group ${owners})
      list(APPEND groups ${group})
      set(check ${CMAKE_BINARY_DIR}/header-check/${header}.cpp)
      set(text "#include \"${header}\"\n")
      set(old "")
      if(EXISTS ${check})
        file(READ ${check} old)
      endif()
      if(NOT old STREQUAL text)
        file(WRITE ${check} "${text}")
      endif()
      list(APPEND HV_CHECKS_${group} ${check})
    endforeach()
  endforeach()
  list(REMOVE_DUPLICATES groups)
  foreach(group ${groups})
    string(REPLACE "+" "_" target ${group})
    set(target ${target}_header_check)
    add_library(${target} OBJECT ${HV_CHECKS_${group}})
    target_compile_options(${target} PRIVATE ${HV_WARNINGS})
    # What each library compiles with, its dependencies' folders included;
    # nothing is linked, so imported targets need not be visible here.
    string(REPLACE "+" ";" owners ${group})
    foreach(owner ${owners})
      get_target_property(type ${owner} TYPE)
      if(type STREQUAL "INTERFACE_LIBRARY")
        target_include_directories(${target} PRIVATE $<TARGET_PROPERTY:${owner},INTERFACE_INCLUDE_DIRECTORIES>)
      else()
        target_include_directories(${target} PRIVATE $<TARGET_PROPERTY:${owner},INCLUDE_DIRECTORIES>)
        target_compile_definitions(${target} PRIVATE $<TARGET_PROPERTY:${owner},COMPILE_DEFINITIONS>)
      endif()
    endforeach()
  endforeach()
endfunction()
if(HV_BUILD_TESTS)
  cmake_language(DEFER DIRECTORY ${CMAKE_SOURCE_DIR} CALL hv_add_header_check)
endif()

# hv_add_gtest(name SOURCES ... DEPENDS ...)
# One GoogleTest executable per subsystem. CTest labels come from the test
# suite's name: suites ending in "Threads" are labelled threads (also run
# under ThreadSanitizer), "Display" display (run under Xvfb), "Slow" slow;
# every other suite is labelled unit.
#
# The ThreadSanitizer stage runs the threads suites alone, so it builds only
# what holds them. When CMake runs, the sources are read for the suites they
# define (TEST, TEST_F or TEST_P with a name ending in "Threads"); an
# executable with such a source is part of hv_threads_tests, all that the
# tsan preset builds, and under ThreadSanitizer it is built from those
# sources and its helper sources (those that define no test: fixtures,
# suppressions) alone. Once linked, every executable lists its threads
# suites and the build fails unless they are exactly those found (one made
# by a macro or added since CMake last ran would go unrun under
# ThreadSanitizer; one found in a comment or a disabled block would make the
# stage build an executable for nothing).
if(HV_BUILD_TESTS)
  add_custom_target(hv_threads_tests)
endif()
function(hv_add_gtest name)
  cmake_parse_arguments(ARG "" "" "SOURCES;DEPENDS" ${ARGN})
  if(ARG_UNPARSED_ARGUMENTS)
    message(FATAL_ERROR "hv_add_gtest(${name}): unknown arguments ${ARG_UNPARSED_ARGUMENTS} "
                        "(threads suites are found in the sources, no THREADS is needed)")
  endif()
  hv_find_threads_suites(threads_sources helper_sources threads_suites ${ARG_SOURCES})
  set(sources ${ARG_SOURCES})
  if(HV_SANITIZE STREQUAL "thread" AND threads_sources)
    set(sources ${threads_sources} ${helper_sources})
  endif()
  add_executable(${name} ${sources})
  target_compile_options(${name} PRIVATE ${HV_WARNINGS})
  target_link_libraries(${name} PRIVATE ${ARG_DEPENDS} GTest::gmock GTest::gtest_main)
  target_include_directories(${name} PRIVATE ${CMAKE_SOURCE_DIR})
  if(threads_sources)
    add_dependencies(hv_threads_tests ${name})
  endif()
  string(JOIN "," suites ${threads_suites})
  add_custom_command(TARGET ${name} POST_BUILD
    COMMAND ${CMAKE_COMMAND} -D TEST_EXECUTABLE=$<TARGET_FILE:${name}> -D TEST_TARGET=${name}
            -D "THREADS_SUITES=${suites}" -P ${CMAKE_SOURCE_DIR}/cmake/CheckThreadsSuites.cmake
    VERBATIM)
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
# Benchmarks, as tests, may reach a library's private folders.
function(hv_add_benchmark name)
  cmake_parse_arguments(ARG "" "" "SOURCES;DEPENDS" ${ARGN})
  add_executable(${name} ${ARG_SOURCES})
  target_include_directories(${name} PRIVATE ${CMAKE_SOURCE_DIR})
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
