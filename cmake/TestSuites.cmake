# Run by ctest, not by CMake: registers one ctest entry per GoogleTest suite
# of a test program (see vantrel_add_test_program in Testing.cmake).
#
# A suite is a fair unit under Wine: a test process costs about 0.05 s there
# (1.6 s without scripts/wine-session.sh), so one process per test case would
# dominate a run of quick tests, while one process per program lets a single
# crashing test hide the results of all the others.
#
# The program's --gtest_list_tests output is cached beside it and listed
# again only when the program is newer.

# vantrel_add_suite_tests(<name> <program> <cache> <timeout>
#                         <emulator-list> <utc-env-list> <newyork-env-list>)
function(vantrel_add_suite_tests name program cache timeout emulator env_utc env_newyork)
  if(NOT EXISTS "${program}")
    # Shows up as a failing test instead of silently running nothing.
    add_test("${name}.NOT_BUILT" "${program}")
    return()
  endif()

  if(NOT EXISTS "${cache}" OR "${program}" IS_NEWER_THAN "${cache}")
    execute_process(
      COMMAND ${emulator} "${program}" --gtest_list_tests
      OUTPUT_VARIABLE listing
      ERROR_VARIABLE errors
      RESULT_VARIABLE result
      TIMEOUT 60)
    if(NOT result EQUAL 0)
      # Run the whole program as one test so its failure is reported.
      add_test("${name}.LISTING_FAILED" ${emulator} "${program}")
      set_tests_properties("${name}.LISTING_FAILED" PROPERTIES
        ENVIRONMENT "${env_utc}" TIMEOUT ${timeout})
      return()
    endif()
    file(WRITE "${cache}" "${listing}")
  else()
    file(READ "${cache}" listing)
  endif()

  # Lines are "Suite." or "  Test", either perhaps followed by "  # comment";
  # the Windows C runtime ends them with CR LF.
  string(REPLACE "\r" "" listing "${listing}")
  string(REPLACE ";" "," listing "${listing}")
  string(REPLACE "\n" ";" lines "${listing}")

  set(suites "")
  set(suite "")
  foreach(line IN LISTS lines)
    string(REGEX REPLACE "[ ]*#.*$" "" line "${line}")
    if(line MATCHES "^([^ ]+)\\.$")
      set(suite "${CMAKE_MATCH_1}")
      list(APPEND suites "${suite}")
    elseif(suite AND line MATCHES "^  ([^ ]+)$")
      if("${suite}.${CMAKE_MATCH_1}" MATCHES "NewYork")
        set(has_newyork_${suite} TRUE)
      else()
        set(has_utc_${suite} TRUE)
      endif()
    endif()
  endforeach()

  foreach(suite IN LISTS suites)
    if(has_utc_${suite})
      add_test("${name}.${suite}" ${emulator} "${program}" "--gtest_filter=${suite}.*-*NewYork*")
      set_tests_properties("${name}.${suite}" PROPERTIES
        ENVIRONMENT "${env_utc}" TIMEOUT ${timeout})
      # The kill test loads, writes and kills programs of 100,000 records;
      # the printing suite waits on the print server's PDF files. Each runs
      # alone, so that neither slows the other past its time limits. The
      # arrival suite starts the real program, which would find the copies
      # other suites' frames keep in the shared recovery folder and ask
      # about them: it too runs alone.
      if(suite MATCHES "Kill|ReportPrinting|DocumentArrival")
        set_tests_properties("${name}.${suite}" PROPERTIES RUN_SERIAL TRUE)
      endif()
    endif()
    if(has_newyork_${suite})
      # A suite named for the zone holds only such tests: no suffix needed.
      if(suite MATCHES "NewYork")
        set(filter "${suite}.*")
        set(test "${name}.${suite}")
      else()
        set(filter "${suite}.*NewYork*")
        set(test "${name}.${suite}.NewYork")
      endif()
      add_test("${test}" ${emulator} "${program}" "--gtest_filter=${filter}")
      set_tests_properties("${test}" PROPERTIES
        ENVIRONMENT "${env_newyork}" TIMEOUT ${timeout})
    endif()
  endforeach()
endfunction()
