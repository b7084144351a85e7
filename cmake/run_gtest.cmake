# cmake -DNAME=test -DREPORT=file [-DREPORT_ARG=spelling] -P run_gtest.cmake -- COMMAND...
#
# Runs a GoogleTest program (COMMAND, with whatever starts it: Wine, a
# wrapper script) and judges it by its own report, never by its output: a
# copy of the program that it starts writes to the same output, and a
# program can print a passing summary and still crash on its way out.
# The program is given --gtest_output=xml:REPORT_ARG (REPORT as the program
# spells it, e.g. Z:/... under Wine; REPORT when not given).
#
# Passes when the program exits with status 0 and its report says that at
# least one test passed and none failed. Tests skipped inside a passing run
# are named on the output and, when the environment names a file in
# QUILLON_SKIP_LOG, appended to it. A run whose every test was skipped, or
# whose command exits 77 (a wrapper that could not make what the tests
# need), says "run_gtest: every test was skipped", which the test's
# SKIP_REGULAR_EXPRESSION makes a visible skip (a script cannot choose its
# exit status before CMake 3.29). Any other outcome ends with status 1 and
# says why.

set(command)
set(seen_separator FALSE)
math(EXPR last "${CMAKE_ARGC} - 1")
foreach(i RANGE ${last})
  if(seen_separator)
    list(APPEND command "${CMAKE_ARGV${i}}")
  elseif(CMAKE_ARGV${i} STREQUAL "--")
    set(seen_separator TRUE)
  endif()
endforeach()
if(NOT REPORT OR NOT command)
  message(FATAL_ERROR "usage: cmake -DNAME=test -DREPORT=file [-DREPORT_ARG=spelling] -P run_gtest.cmake -- COMMAND...")
endif()
if(NOT NAME)
  set(NAME "${REPORT}")
endif()
if(NOT REPORT_ARG)
  set(REPORT_ARG "${REPORT}")
endif()

function(fail text)
  message(FATAL_ERROR "run_gtest: FAILED: ${text}")
endfunction()

file(REMOVE "${REPORT}")
execute_process(COMMAND ${command} "--gtest_output=xml:${REPORT_ARG}" RESULT_VARIABLE status)

if(status EQUAL 77)
  message("run_gtest: skipped: the command could not make what the tests need (status 77; its reason is above)")
  if(DEFINED ENV{QUILLON_SKIP_LOG})
    file(APPEND "$ENV{QUILLON_SKIP_LOG}" "${NAME}: every test: the command exited 77 (its reason is in the test's output)\n")
  endif()
  message("run_gtest: every test was skipped")
  return()
endif()
if(NOT status STREQUAL "0")
  fail("the program exited with status ${status}")
endif()
if(NOT EXISTS "${REPORT}")
  fail("the program exited with status 0 but wrote no report (${REPORT})")
endif()

file(READ "${REPORT}" xml)
# A semicolon would split CMake's lists: it stands as <semi> (which XML text
# cannot hold) until the reasons are decoded.
string(REPLACE ";" "<semi>" xml "${xml}")
# Each test case's element, up to the next one; a case that failed holds a
# <failure> element, a skipped one says result="skipped".
string(REPLACE "<testcase " ";<testcase " cases "${xml}")
set(passed 0)
set(failed)
set(skipped)
foreach(case IN LISTS cases)
  if(NOT case MATCHES "^<testcase name=\"([^\"]*)\".* classname=\"([^\"]*)\"")
    continue()
  endif()
  set(name "${CMAKE_MATCH_2}.${CMAKE_MATCH_1}")
  if(case MATCHES "<failure")
    list(APPEND failed "${name}")
  elseif(case MATCHES "result=\"skipped\"")
    set(reason "")
    if(case MATCHES "<skipped message=\"([^\"]*)\"")
      set(reason "${CMAKE_MATCH_1}")
      foreach(entity "&#x0A<semi>= " "&apos<semi>='" "&quot<semi>=\"" "&lt<semi>=<" "&gt<semi>=>" "&amp<semi>=&" "<semi>=,")
        string(FIND "${entity}" "=" at)
        string(SUBSTRING "${entity}" 0 ${at} coded)
        math(EXPR at "${at} + 1")
        string(SUBSTRING "${entity}" ${at} -1 plain)
        string(REPLACE "${coded}" "${plain}" reason "${reason}")
      endforeach()
    endif()
    list(APPEND skipped "${name}: ${reason}")
  elseif(case MATCHES "status=\"run\" result=\"completed\"")
    math(EXPR passed "${passed} + 1")
  endif()
endforeach()
if(NOT xml MATCHES "<testsuites [^>]*failures=\"0\"[^>]* errors=\"0\"")
  list(APPEND failed "(the report's totals count failures or errors)")
endif()

foreach(skip IN LISTS skipped)
  message("run_gtest: skipped: ${skip}")
  if(DEFINED ENV{QUILLON_SKIP_LOG})
    file(APPEND "$ENV{QUILLON_SKIP_LOG}" "${NAME}: ${skip}\n")
  endif()
endforeach()
if(failed)
  list(JOIN failed ", " names)
  fail("failed: ${names}")
endif()
list(LENGTH skipped skips)
if(passed EQUAL 0 AND skips GREATER 0)
  message("run_gtest: every test was skipped")
  return()
endif()
if(passed EQUAL 0)
  fail("the report holds no test that ran")
endif()
message("run_gtest: ${passed} passed, ${skips} skipped")
