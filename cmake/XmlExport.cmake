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
