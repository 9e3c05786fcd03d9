# Language level, warnings and the sanitizer and fuzzing switches.

set(CMAKE_CXX_STANDARD 17)
set(CMAKE_CXX_STANDARD_REQUIRED ON)
set(CMAKE_CXX_EXTENSIONS OFF)
set(CMAKE_EXPORT_COMPILE_COMMANDS ON)

if(NOT CMAKE_BUILD_TYPE AND NOT CMAKE_CONFIGURATION_TYPES)
  # The Windows program ships optimised; native builds exist for the
  # sanitizers and the debugger.
  if(WIN32)
    set(CMAKE_BUILD_TYPE Release CACHE STRING "Build type" FORCE)
  else()
    set(CMAKE_BUILD_TYPE Debug CACHE STRING "Build type" FORCE)
  endif()
endif()
string(REPLACE "-O3" "-O2" CMAKE_CXX_FLAGS_RELEASE "${CMAKE_CXX_FLAGS_RELEASE}")

option(VANTREL_SANITIZE "Native only: build everything with AddressSanitizer and UBSan" OFF)
option(VANTREL_FUZZ "Native, Clang only: build the libFuzzer target (implies the sanitizers)" OFF)

if(WIN32 AND (VANTREL_SANITIZE OR VANTREL_FUZZ))
  message(FATAL_ERROR "VANTREL_SANITIZE and VANTREL_FUZZ are for native builds")
endif()
if(VANTREL_FUZZ AND NOT CMAKE_CXX_COMPILER_ID MATCHES "Clang")
  message(FATAL_ERROR "VANTREL_FUZZ needs Clang (configure with -DCMAKE_CXX_COMPILER=clang++)")
endif()

# Set before any target exists so that googletest and the core get the same
# instrumentation as the programs that use them.
if(VANTREL_SANITIZE OR VANTREL_FUZZ)
  set(_vantrel_sanitizers -fsanitize=address,undefined)
  add_compile_options(${_vantrel_sanitizers} -fno-omit-frame-pointer
                      -fno-sanitize-recover=undefined)
  add_link_options(${_vantrel_sanitizers})
endif()
if(VANTREL_FUZZ)
  # The coverage hooks everywhere; libFuzzer's main only in the fuzz target.
  add_compile_options(-fsanitize=fuzzer-no-link)
endif()

# Warnings for the project's own targets (googletest keeps its own flags).
function(vantrel_warnings target)
  target_compile_options(${target} PRIVATE -Wall -Wextra)
endfunction()
