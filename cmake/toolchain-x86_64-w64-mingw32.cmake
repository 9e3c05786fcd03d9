# Cross-compiles for 64-bit Windows with MinGW-w64 from Debian.
set(CMAKE_SYSTEM_PROCESSOR AMD64)
set(_vantrel_triple x86_64-w64-mingw32)
include(${CMAKE_CURRENT_LIST_DIR}/mingw-w64-common.cmake)
