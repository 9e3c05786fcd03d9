# Cross-compiles for 32-bit Windows with MinGW-w64 from Debian.
set(CMAKE_SYSTEM_PROCESSOR x86)
set(_vantrel_triple i686-w64-mingw32)
include(${CMAKE_CURRENT_LIST_DIR}/mingw-w64-common.cmake)
