# GoogleTest for both builds and one helper to declare a test executable.
if(QUILLANE_WINDOWS)
  # Built from the sources of Debian's googletest package with the cross compiler.
  set(INSTALL_GTEST OFF CACHE BOOL "" FORCE)
  set(gtest_disable_pthreads OFF CACHE BOOL "" FORCE)
  add_subdirectory(/usr/src/googletest/googletest ${CMAKE_BINARY_DIR}/googletest EXCLUDE_FROM_ALL)
  set(QUILLANE_GTEST_MAIN gtest_main)
  set(QUILLANE_GTEST gtest)
  # Every Windows test runs under Wine in the build folder's own prefix, with the loader of
  # the build's own bitness.
  if(CMAKE_SIZEOF_VOID_P EQUAL 8)
    set(QUILLANE_WINE_ARCH win64)
  else()
    set(QUILLANE_WINE_ARCH win32)
  endif()
  set(QUILLANE_WINEPREFIX ${CMAKE_BINARY_DIR}/wineprefix)
  set(CMAKE_CROSSCOMPILING_EMULATOR
    ${CMAKE_SOURCE_DIR}/scripts/wine-run.sh ${QUILLANE_WINE_ARCH} ${QUILLANE_WINEPREFIX})
else()
  find_package(GTest REQUIRED)
  set(QUILLANE_GTEST_MAIN GTest::gtest_main)
  set(QUILLANE_GTEST GTest::gtest)
endif()

# quillane_add_test(NAME SOURCES src... [LIBS lib...] [RESOURCES rc...] [ARGS arg...] [NO_MAIN])
# A test passes only when GoogleTest itself reports passed tests: an executable that
# did not really run (a Wine without its 32-bit part prints nothing) fails.
function(quillane_add_test name)
  cmake_parse_arguments(ARG "NO_MAIN" "" "SOURCES;LIBS;RESOURCES;ARGS" ${ARGN})
  add_executable(${name} ${ARG_SOURCES} ${ARG_RESOURCES})
  target_include_directories(${name} PRIVATE ${CMAKE_SOURCE_DIR})
  if(ARG_NO_MAIN)
    target_link_libraries(${name} PRIVATE ${ARG_LIBS} ${QUILLANE_GTEST})
  else()
    target_link_libraries(${name} PRIVATE ${ARG_LIBS} ${QUILLANE_GTEST_MAIN})
  endif()
  add_test(NAME ${name} COMMAND ${name} ${ARG_ARGS})
  set_tests_properties(${name} PROPERTIES
    PASS_REGULAR_EXPRESSION "\\[  PASSED  \\] [1-9][0-9]* test"
    FAIL_REGULAR_EXPRESSION "\\[  FAILED  \\]")
endfunction()
