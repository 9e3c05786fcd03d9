# Native-only programs: the fuzzers and the benchmarks. Each
# exists once its source does, so the tree configures before they are written.

file(GLOB _fuzz_sources CONFIGURE_DEPENDS "${VANTREL_SOURCE_DIR}/fuzz/*.cpp")
if(VANTREL_FUZZ)
  # One target per fuzz/*.cpp, named after the file (fuzz_document,
  # fuzz_roundtrip, fuzz_tokenizer, fuzz_import, fuzz_vcard, ...): each defines
  # LLVMFuzzerTestOneInput; libFuzzer brings main().
  foreach(_fuzz_source IN LISTS _fuzz_sources)
    get_filename_component(_fuzz_target "${_fuzz_source}" NAME_WE)
    add_executable(${_fuzz_target} "${_fuzz_source}")
    target_link_libraries(${_fuzz_target} PRIVATE vantrel_core vantrel_exchange vantrel_vcard vantrel_ical)
    target_link_options(${_fuzz_target} PRIVATE -fsanitize=fuzzer)
    vantrel_warnings(${_fuzz_target})
  endforeach()
endif()

# bench_document against pugixml, bench_exchange against libcsv.
set(_bench_document "${VANTREL_SOURCE_DIR}/bench/bench_document.cpp")
set(_bench_exchange "${VANTREL_SOURCE_DIR}/bench/bench_exchange.cpp")
if(EXISTS "${_bench_document}" AND NOT VANTREL_FUZZ)
  # Only the benchmark compares against pugixml; the program never uses it.
  find_package(pugixml CONFIG QUIET)
  if(NOT TARGET pugixml::pugixml AND NOT TARGET pugixml)
    find_package(PkgConfig QUIET)
    if(PKG_CONFIG_FOUND)
      pkg_check_modules(PUGIXML IMPORTED_TARGET pugixml)
    endif()
  endif()
  if(TARGET pugixml::pugixml)
    set(_pugixml pugixml::pugixml)
  elseif(TARGET pugixml)
    set(_pugixml pugixml)
  elseif(TARGET PkgConfig::PUGIXML)
    set(_pugixml PkgConfig::PUGIXML)
  endif()

  if(_pugixml)
    # Built on request (scripts/test.sh builds it in an optimised tree); timing
    # a sanitized or unoptimised build would mean nothing.
    add_executable(bench_document EXCLUDE_FROM_ALL "${_bench_document}")
    target_link_libraries(bench_document PRIVATE vantrel_core ${_pugixml})
    target_compile_options(bench_document PRIVATE -O2)
    vantrel_warnings(bench_document)
  else()
    message(STATUS "pugixml not found: no bench_document target")
  endif()
endif()

if(EXISTS "${_bench_exchange}" AND NOT VANTREL_FUZZ)
  # Only the benchmark reads delimited text with libcsv, as the reference.
  find_path(VANTREL_CSV_INCLUDE_DIR csv.h)
  find_library(VANTREL_CSV_LIBRARY csv)
  if(VANTREL_CSV_INCLUDE_DIR AND VANTREL_CSV_LIBRARY)
    add_executable(bench_exchange EXCLUDE_FROM_ALL "${_bench_exchange}" "${VANTREL_SOURCE_DIR}/bench/BenchCalendar.cpp")
    target_include_directories(bench_exchange SYSTEM PRIVATE "${VANTREL_CSV_INCLUDE_DIR}")
    target_link_libraries(bench_exchange PRIVATE vantrel_core vantrel_exchange vantrel_vcard vantrel_ical "${VANTREL_CSV_LIBRARY}")
    target_compile_options(bench_exchange PRIVATE -O2)
    vantrel_warnings(bench_exchange)
  else()
    message(STATUS "libcsv not found: no bench_exchange target")
  endif()
endif()
