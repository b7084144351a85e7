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

# Every test's time limit is multiplied by this: a tree whose programs run
# under an emulator takes several times as long, more on a busy machine.
set(QUILLON_TEST_TIMEOUT_FACTOR 1 CACHE STRING "Multiplies the tests' time limits")

# quillon_add_windows_test(test COMMAND...): a Windows test program as a
# CTest entry that run_gtest.cmake judges: it passes only on exit status 0
# and a report of its own that counts at least one test passed and none
# failed; when every test was skipped, CTest shows it as skipped. COMMAND is
# what starts the program, before its GoogleTest flags.
set(QUILLON_RUN_GTEST ${CMAKE_CURRENT_LIST_DIR}/run_gtest.cmake)
function(quillon_add_windows_test test)
  set(report ${CMAKE_BINARY_DIR}/gtest-reports/${test}.xml)
  # Under Wine the program spells the report's path as a Windows path.
  set(report_arg ${report})
  if(CMAKE_CROSSCOMPILING_EMULATOR)
    set(report_arg Z:${report})
  endif()
  file(MAKE_DIRECTORY ${CMAKE_BINARY_DIR}/gtest-reports)
  add_test(NAME ${test}
           COMMAND ${CMAKE_COMMAND} -DNAME=${test} -DREPORT=${report} -DREPORT_ARG=${report_arg}
                   -P ${QUILLON_RUN_GTEST} -- ${ARGN})
  set_tests_properties(${test} PROPERTIES SKIP_REGULAR_EXPRESSION "run_gtest: every test was skipped")
endfunction()

# quillon_add_test(name SOURCES... LIBS... [PREFIX prefix] [WRAPPER command...])
# Natively every test case becomes its own CTest entry, its name after PREFIX;
# for Windows the whole executable runs as one entry, one Wine process,
# against the warm server, started by WRAPPER (command..., then the Wine
# command line) when given: a script that makes what the test needs around
# it, and exits 77 when it cannot.
function(quillon_add_test name)
  cmake_parse_arguments(arg "" "TIMEOUT;PREFIX" "SOURCES;LIBS;WRAPPER" ${ARGN})
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
  math(EXPR arg_TIMEOUT "${arg_TIMEOUT} * ${QUILLON_TEST_TIMEOUT_FACTOR}")
  if(WIN32)
    quillon_add_windows_test(${name} ${arg_WRAPPER} ${CMAKE_CROSSCOMPILING_EMULATOR} $<TARGET_FILE:${name}>
                             --gtest_color=no)
    set_tests_properties(${name} PROPERTIES TIMEOUT ${arg_TIMEOUT})
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
  quillon_add_windows_test(cross.${name} ${CMAKE_CROSSCOMPILING_EMULATOR} $<TARGET_FILE:${name}>
                           --gtest_color=no --gtest_filter=${arg_FILTER})
  math(EXPR timeout "300 * ${QUILLON_TEST_TIMEOUT_FACTOR}")
  set_tests_properties(cross.${name} PROPERTIES TIMEOUT ${timeout}
    ENVIRONMENT "QUILLON_STANDIN_EXE=${peer}\\tools\\standin_host.exe")
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
  quillon_add_windows_test(${name}.as_on_xp ${CMAKE_CROSSCOMPILING_EMULATOR} $<TARGET_FILE:${name}> --gtest_color=no)
  set_tests_properties(${name}.as_on_xp PROPERTIES TIMEOUT ${timeout} ENVIRONMENT QUILLON_AS_ON_XP=1)
endfunction()
