# GoogleTest, built from source with the project's own toolchain, and the
# registration of test programs with ctest.
#
# Time zone convention: every test runs in UTC, except tests whose full name
# (Suite.Test) contains "NewYork", which run only in America/New_York. Every
# program is therefore run in two halves, filtered with -*NewYork* (zone UTC)
# and *NewYork* (zone America/New_York); the New York halves carry the suffix
# ".NewYork" in ctest's names unless the test name already says it.
# Natively the zone is passed as TZ. Under Wine it is passed as
# VANTREL_TEST_TZ, which cmake/wine-run.sh turns into the TZ Wine reads (the
# wrapper pins TZ=UTC otherwise, whatever the caller's TZ is); the test main
# then drops TZ from the Windows environment (see tests/TestMain.cpp).

include(GoogleTest)

set(VANTREL_GTEST_SOURCE_DIR /usr/src/googletest CACHE PATH
    "GoogleTest sources; when absent an installed GTest package is used")

if(EXISTS "${VANTREL_GTEST_SOURCE_DIR}/CMakeLists.txt")
  set(BUILD_GMOCK OFF CACHE BOOL "" FORCE)
  set(INSTALL_GTEST OFF CACHE BOOL "" FORCE)
  # Win32 threads inside gtest, not winpthread's emulation of POSIX ones.
  if(WIN32)
    set(gtest_disable_pthreads ON CACHE BOOL "" FORCE)
  endif()
  add_subdirectory("${VANTREL_GTEST_SOURCE_DIR}" "${CMAKE_BINARY_DIR}/googletest"
                   EXCLUDE_FROM_ALL SYSTEM)
else()
  find_package(GTest REQUIRED CONFIG)
endif()

# How ctest sees a program:
#   suite   (default) one ctest entry per GoogleTest suite and zone, listed
#           when ctest starts (cmake/TestSuites.cmake);
#   case    one per test case (gtest_discover_tests, PRE_TEST); about 0.05 s
#           more per test under Wine, handy for --rerun-failed;
#   program one per program and zone; the cheapest, but a crash in one test
#           hides the results of all that follow it.
set(VANTREL_TEST_GRANULARITY suite CACHE STRING "suite, case or program")
set_property(CACHE VANTREL_TEST_GRANULARITY PROPERTY STRINGS suite case program)

# Seconds before ctest kills a test that hangs (a modal dialog nobody answers,
# a crash that waits).
set(VANTREL_TEST_TIMEOUT 120)

# One variable only: gtest_discover_tests cannot pass a list through. The
# sanitizer options are compiled into the test main instead.
function(vantrel_test_environment out zone)
  if(CMAKE_CROSSCOMPILING AND WIN32)
    set(${out} "VANTREL_TEST_TZ=${zone}" PARENT_SCOPE)
  else()
    set(${out} "TZ=${zone}" PARENT_SCOPE)
  endif()
endfunction()

# vantrel_add_test_program(<name> SOURCES <files...> LIBRARIES <targets...>)
function(vantrel_add_test_program name)
  cmake_parse_arguments(PARSE_ARGV 1 arg "" "" "SOURCES;LIBRARIES")
  add_executable(${name} "${VANTREL_SOURCE_DIR}/tests/TestMain.cpp" ${arg_SOURCES})
  vantrel_warnings(${name})
  target_link_libraries(${name} PRIVATE ${arg_LIBRARIES} GTest::gtest)

  vantrel_test_environment(env_utc "UTC")
  vantrel_test_environment(env_newyork "America/New_York")

  if(VANTREL_TEST_GRANULARITY STREQUAL "suite")
    set(emulator "")
    if(CMAKE_CROSSCOMPILING)
      set(emulator "${CMAKE_CROSSCOMPILING_EMULATOR}")
    endif()
    set(include_file "${CMAKE_CURRENT_BINARY_DIR}/${name}_suites.cmake")
    file(GENERATE OUTPUT "${include_file}" CONTENT
"include(\"${VANTREL_SOURCE_DIR}/cmake/TestSuites.cmake\")
vantrel_add_suite_tests(\"${name}\" \"$<TARGET_FILE:${name}>\"
  \"${CMAKE_CURRENT_BINARY_DIR}/${name}_suites.txt\" ${VANTREL_TEST_TIMEOUT}
  \"${emulator}\" \"${env_utc}\" \"${env_newyork}\")
")
    set_property(DIRECTORY APPEND PROPERTY TEST_INCLUDE_FILES "${include_file}")
    return()
  endif()

  foreach(variant IN ITEMS utc newyork)
    if(variant STREQUAL "utc")
      set(filter "-*NewYork*")
      set(suffix "")
      set(env "${env_utc}")
    else()
      set(filter "*NewYork*")
      set(suffix ".NewYork")
      set(env "${env_newyork}")
    endif()

    if(VANTREL_TEST_GRANULARITY STREQUAL "case")
      # The test names already tell the zones apart: no suffix.
      gtest_discover_tests(${name}
        TEST_FILTER "${filter}"
        TEST_LIST ${name}_${variant}_tests
        DISCOVERY_MODE PRE_TEST
        DISCOVERY_TIMEOUT 60
        PROPERTIES ENVIRONMENT "${env}" TIMEOUT ${VANTREL_TEST_TIMEOUT})
    else()
      add_test(NAME ${name}${suffix} COMMAND ${name} --gtest_filter=${filter})
      set_tests_properties(${name}${suffix} PROPERTIES
        ENVIRONMENT "${env}" TIMEOUT ${VANTREL_TEST_TIMEOUT})
    endif()
  endforeach()
endfunction()
