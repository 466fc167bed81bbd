# GoogleTest from Debian's source package, built with the same compiler as the
# code under test (so it works for both the native and the MinGW build).
#
# qarn_add_test(<name> SOURCES <files...> [LIBS <libs...>] [RUN_WITH <command...>])
#   builds one test executable and registers it as ONE ctest entry: under Wine
#   every process start costs seconds, so each executable runs all its cases.
#   RUN_WITH is a command the test runs under, given the executable and its
#   arguments (a wrapper that starts a server the test needs).
if(NOT QARN_TESTS)
  return()
endif()

set(QARN_GTEST_SOURCE /usr/src/googletest CACHE PATH "GoogleTest sources")
if(WIN32)
  set(gtest_disable_pthreads ON CACHE BOOL "" FORCE)
endif()
set(INSTALL_GTEST OFF CACHE BOOL "" FORCE)
set(BUILD_GMOCK OFF CACHE BOOL "" FORCE)
add_subdirectory(${QARN_GTEST_SOURCE} ${CMAKE_BINARY_DIR}/googletest EXCLUDE_FROM_ALL)

function(qarn_add_test name)
  cmake_parse_arguments(ARG "" "" "SOURCES;LIBS;RUN_WITH" ${ARGN})
  add_executable(${name} ${ARG_SOURCES})
  qarn_warnings(${name})
  target_link_libraries(${name} PRIVATE ${ARG_LIBS} GTest::gtest GTest::gtest_main)
  target_include_directories(${name} PRIVATE ${CMAKE_SOURCE_DIR})
  if(ARG_RUN_WITH)
    add_test(NAME ${name} COMMAND ${ARG_RUN_WITH} $<TARGET_FILE:${name}> --gtest_color=no)
  else()
    add_test(NAME ${name} COMMAND ${name} --gtest_color=no)
  endif()
  set_tests_properties(${name} PROPERTIES TIMEOUT 600)
endfunction()
