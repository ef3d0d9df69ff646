# Helpers shared by every layer's CMakeLists.txt.

# xe_add_library(<target> SOURCES ... [DEPENDS ...] [SYSTEM_DEPENDS ...])
# One static library per folder; includes are written from the project root.
function(xe_add_library target)
  cmake_parse_arguments(ARG "" "" "SOURCES;DEPENDS;SYSTEM_DEPENDS" ${ARGN})
  add_library(${target} STATIC ${ARG_SOURCES})
  target_include_directories(${target} PUBLIC ${PROJECT_SOURCE_DIR})
  target_link_libraries(${target} PUBLIC ${ARG_DEPENDS} ${ARG_SYSTEM_DEPENDS})
endfunction()

# xe_add_test(<target> SOURCES ... DEPENDS ... [TIMEOUT s] [RUN_SERIAL])
# One GoogleTest executable per layer; each test case becomes a CTest test with a timeout.
# RUN_SERIAL keeps timing-sensitive tests (real windows) from sharing the machine with others.
function(xe_add_test target)
  cmake_parse_arguments(ARG "RUN_SERIAL" "TIMEOUT" "SOURCES;DEPENDS" ${ARGN})
  set(extra)
  if(ARG_RUN_SERIAL)
    set(extra RUN_SERIAL TRUE)
  endif()
  if(NOT ARG_TIMEOUT)
    set(ARG_TIMEOUT 120)
  endif()
  add_executable(${target} ${ARG_SOURCES})
  target_include_directories(${target} PRIVATE ${PROJECT_SOURCE_DIR})
  target_link_libraries(${target} PRIVATE ${ARG_DEPENDS} GTest::gtest GTest::gtest_main GTest::gmock)
  target_compile_definitions(${target} PRIVATE
    XE_SOURCE_DIR="${PROJECT_SOURCE_DIR}"
    XE_FIXTURES_DIR="${PROJECT_SOURCE_DIR}/tests/fixtures")
  gtest_discover_tests(${target}
    DISCOVERY_TIMEOUT 60
    PROPERTIES TIMEOUT ${ARG_TIMEOUT} ${extra}
    WORKING_DIRECTORY ${CMAKE_CURRENT_BINARY_DIR})
endfunction()

# xe_add_fuzz(<name> SOURCES ... DEPENDS ... CORPUS <dir> [DICT <file>])
# A fuzz entry point (LLVMFuzzerTestOneInput). With XE_FUZZ it becomes a libFuzzer executable; the
# whole fuzz build is instrumented and sanitized (top CMakeLists.txt), so the target only links.
# A replay executable is always built and runs the entry point over the corpus as a CTest test,
# so that the target stays compiled and its regression inputs stay tested. scripts/fuzz reads the
# list of targets, corpora and dictionaries from <build>/fuzz-targets.txt.
file(WRITE ${CMAKE_BINARY_DIR}/fuzz-targets.txt "")
function(xe_add_fuzz name)
  cmake_parse_arguments(ARG "" "CORPUS;DICT" "SOURCES;DEPENDS" ${ARGN})
  if(XE_FUZZ)
    add_executable(${name} ${ARG_SOURCES})
    target_include_directories(${name} PRIVATE ${PROJECT_SOURCE_DIR})
    target_link_libraries(${name} PRIVATE ${ARG_DEPENDS})
    target_link_options(${name} PRIVATE -fsanitize=fuzzer)
    file(APPEND ${CMAKE_BINARY_DIR}/fuzz-targets.txt
      "${name}\t${CMAKE_CURRENT_BINARY_DIR}/${name}\t${ARG_CORPUS}\t${ARG_DICT}\n")
  endif()
  add_executable(${name}_replay ${ARG_SOURCES} ${PROJECT_SOURCE_DIR}/tests/fuzz/FuzzReplay.cpp)
  target_include_directories(${name}_replay PRIVATE ${PROJECT_SOURCE_DIR})
  target_link_libraries(${name}_replay PRIVATE ${ARG_DEPENDS})
  add_test(NAME ${name}_replay COMMAND ${name}_replay ${ARG_CORPUS})
  set_tests_properties(${name}_replay PROPERTIES TIMEOUT 120)
endfunction()
