# GoogleTest, built from Debian's sources by whichever compiler this tree uses.
set(QUILLON_GTEST_SOURCE /usr/src/googletest CACHE PATH "GoogleTest sources")
set(INSTALL_GTEST OFF CACHE BOOL "" FORCE)
set(BUILD_GMOCK OFF CACHE BOOL "" FORCE)
set(gtest_force_shared_crt ON CACHE BOOL "" FORCE)
add_subdirectory(${QUILLON_GTEST_SOURCE} ${CMAKE_BINARY_DIR}/googletest EXCLUDE_FROM_ALL SYSTEM)

include(GoogleTest)

# quillon_add_test(name SOURCES... LIBS... [PREFIX prefix] [WRAPPER command...])
# Natively every test case becomes its own CTest entry, its name after PREFIX;
# for Windows the whole executable runs as one entry, one Wine process,
# against the warm server, started by WRAPPER (command..., then the Wine
# command line) when given: a script that makes what the test needs around it.
function(quillon_add_test name)
  cmake_parse_arguments(arg "" "TIMEOUT;PREFIX" "SOURCES;LIBS;WRAPPER" ${ARGN})
  add_executable(${name} ${arg_SOURCES})
  target_link_libraries(${name} PRIVATE ${arg_LIBS} GTest::gtest_main)
  if(NOT arg_TIMEOUT)
    set(arg_TIMEOUT 300)
  endif()
  if(CMAKE_CROSSCOMPILING AND arg_WRAPPER)
    add_test(NAME ${name}
             COMMAND ${arg_WRAPPER} ${CMAKE_CROSSCOMPILING_EMULATOR} $<TARGET_FILE:${name}> --gtest_color=no)
    set_tests_properties(${name} PROPERTIES TIMEOUT ${arg_TIMEOUT})
  elseif(CMAKE_CROSSCOMPILING)
    add_test(NAME ${name} COMMAND ${name} --gtest_color=no)
    set_tests_properties(${name} PROPERTIES TIMEOUT ${arg_TIMEOUT})
  else()
    gtest_discover_tests(${name} DISCOVERY_MODE POST_BUILD TEST_PREFIX "${arg_PREFIX}"
                         PROPERTIES TIMEOUT ${arg_TIMEOUT})
  endif()
endfunction()
