# GoogleTest: built from its sources by whichever compiler this tree uses
# (Debian's /usr/src/googletest), else an installed one, else no tests.
set(QUILLON_GTEST_SOURCE /usr/src/googletest CACHE PATH "GoogleTest sources")
set(QUILLON_TESTS ON)
if(EXISTS ${QUILLON_GTEST_SOURCE}/CMakeLists.txt)
  set(INSTALL_GTEST OFF CACHE BOOL "" FORCE)
  set(BUILD_GMOCK OFF CACHE BOOL "" FORCE)
  set(gtest_force_shared_crt ON CACHE BOOL "" FORCE)
  add_subdirectory(${QUILLON_GTEST_SOURCE} ${CMAKE_BINARY_DIR}/googletest EXCLUDE_FROM_ALL SYSTEM)
else()
  find_package(GTest QUIET)
  if(NOT GTest_FOUND)
    set(QUILLON_TESTS OFF)
    message(STATUS "GoogleTest was not found (neither sources in ${QUILLON_GTEST_SOURCE} nor an installed "
                   "package): the program builds, the tests are off")
  endif()
endif()

if(QUILLON_TESTS)
  include(GoogleTest)
endif()

# The other Windows tree, of the other bitness, whose stand-in client and
# fader the cross-bitness tests start; empty: no such tests.
set(QUILLON_PEER_TREE "" CACHE PATH "The Windows build tree of the other bitness")

# A Windows test program that ran under Wine passes only when GoogleTest says
# that it ran at least one test and none failed: a program that could not
# start may still exit with status 0.
function(quillon_expect_gtest_output test)
  set_tests_properties(${test} PROPERTIES
    PASS_REGULAR_EXPRESSION "\\[  PASSED  \\] [1-9][0-9]* tests?\\."
    FAIL_REGULAR_EXPRESSION "\\[  FAILED  \\]")
endfunction()

# quillon_add_test(name SOURCES... LIBS... [PREFIX prefix] [WRAPPER command...]
#                  [SKIP_RETURN_CODE code])
# Natively every test case becomes its own CTest entry, its name after PREFIX;
# for Windows the whole executable runs as one entry, one Wine process,
# against the warm server, started by WRAPPER (command..., then the Wine
# command line) when given: a script that makes what the test needs around it.
function(quillon_add_test name)
  cmake_parse_arguments(arg "" "TIMEOUT;PREFIX;SKIP_RETURN_CODE" "SOURCES;LIBS;WRAPPER" ${ARGN})
  if(NOT QUILLON_TESTS)
    # Without GoogleTest the target stays, unbuilt, for the lists that name it.
    add_executable(${name} EXCLUDE_FROM_ALL ${arg_SOURCES})
    target_link_libraries(${name} PRIVATE ${arg_LIBS})
    return()
  endif()
  add_executable(${name} ${arg_SOURCES})
  target_link_libraries(${name} PRIVATE ${arg_LIBS} GTest::gtest_main)
  if(WIN32)
    # Aware of DPI as the program is, so that what a test measures of the
    # program's windows, or of its own, is in real pixels at any DPI.
    target_sources(${name} PRIVATE ${PROJECT_SOURCE_DIR}/tools/testing/per_monitor_dpi.rc)
  endif()
  if(NOT arg_TIMEOUT)
    set(arg_TIMEOUT 300)
  endif()
  if(WIN32 AND arg_WRAPPER)
    add_test(NAME ${name}
             COMMAND ${arg_WRAPPER} ${CMAKE_CROSSCOMPILING_EMULATOR} $<TARGET_FILE:${name}> --gtest_color=no)
    set_tests_properties(${name} PROPERTIES TIMEOUT ${arg_TIMEOUT})
    quillon_expect_gtest_output(${name})
    if(arg_SKIP_RETURN_CODE)
      set_tests_properties(${name} PROPERTIES SKIP_RETURN_CODE ${arg_SKIP_RETURN_CODE})
    endif()
  elseif(WIN32)
    add_test(NAME ${name} COMMAND ${name} --gtest_color=no)
    set_tests_properties(${name} PROPERTIES TIMEOUT ${arg_TIMEOUT})
    quillon_expect_gtest_output(${name})
  else()
    # CMake 3.31 warns of an empty TEST_PREFIX: named only when there is one.
    set(prefix)
    if(arg_PREFIX)
      set(prefix TEST_PREFIX ${arg_PREFIX})
    endif()
    gtest_discover_tests(${name} DISCOVERY_MODE POST_BUILD ${prefix} PROPERTIES TIMEOUT ${arg_TIMEOUT})
  endif()
endfunction()

# quillon_add_cross_test(name [FILTER pattern]): the Windows test program
# name once more, as cross.name, with the stand-in client of the peer tree
# (the fader of this tree posts into a client of the other bitness) and,
# where it starts the fader, the peer tree's fader.
function(quillon_add_cross_test name)
  cmake_parse_arguments(arg "" "FILTER" "" ${ARGN})
  if(NOT QUILLON_TESTS OR NOT WIN32 OR NOT QUILLON_PEER_TREE)
    return()
  endif()
  if(NOT arg_FILTER)
    set(arg_FILTER "*")
  endif()
  file(TO_NATIVE_PATH "${QUILLON_PEER_TREE}" peer)
  string(REPLACE "/" "\\" peer "Z:${peer}")
  add_test(NAME cross.${name} COMMAND ${name} --gtest_color=no --gtest_filter=${arg_FILTER})
  set_tests_properties(cross.${name} PROPERTIES TIMEOUT 300
    ENVIRONMENT "QUILLON_STANDIN_EXE=${peer}\\tools\\standin_host.exe")
  quillon_expect_gtest_output(cross.${name})
endfunction()

# quillon_test_as_on_xp(name): the Windows test program name once more, as
# name.as_on_xp, run as on Windows XP. Its test environment
# (tools/testing/as_on_xp.cpp, told by QUILLON_AS_ON_XP) takes every function
# of a newer Windows that the program looks up away before the first test;
# the tick count is widened from the 32-bit one by the program's stand-in,
# linked in; and where the test starts the program, it starts the program's
# copy built without them (app/, quillon_as_on_xp).
function(quillon_test_as_on_xp name)
  if(NOT QUILLON_TESTS OR NOT WIN32)
    return()
  endif()
  target_sources(${name} PRIVATE ${PROJECT_SOURCE_DIR}/tools/testing/as_on_xp.cpp
                                 ${PROJECT_SOURCE_DIR}/tools/testing/as_on_xp.h)
  target_link_libraries(${name} PRIVATE quillon_tick_count64 quillon_testing)
  add_dependencies(${name} quillon_as_on_xp)
  get_test_property(${name} TIMEOUT timeout)
  add_test(NAME ${name}.as_on_xp COMMAND ${name} --gtest_color=no)
  set_tests_properties(${name}.as_on_xp PROPERTIES TIMEOUT ${timeout} ENVIRONMENT QUILLON_AS_ON_XP=1)
  quillon_expect_gtest_output(${name}.as_on_xp)
endfunction()
