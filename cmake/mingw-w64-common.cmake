# The settings both MinGW-w64 toolchain files share; they set
# _vantrel_triple and CMAKE_SYSTEM_PROCESSOR, then include this file.
# The "-posix" compilers are the ones with std::thread and friends; the plain
# names point at the win32-thread variant.
set(CMAKE_SYSTEM_NAME Windows)

set(CMAKE_C_COMPILER   ${_vantrel_triple}-gcc-posix)
set(CMAKE_CXX_COMPILER ${_vantrel_triple}-g++-posix)
set(CMAKE_RC_COMPILER  ${_vantrel_triple}-windres)

set(CMAKE_FIND_ROOT_PATH /usr/${_vantrel_triple})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)

# Everything static (libgcc, libstdc++, winpthread): the exe needs no DLL
# beside it.
set(CMAKE_EXE_LINKER_FLAGS_INIT "-static")

# Programs built here run under Wine (see cmake/wine-run.sh). The top-level
# CMakeLists.txt adds the build tree's Wine directory as an argument.
set(CMAKE_CROSSCOMPILING_EMULATOR "${CMAKE_CURRENT_LIST_DIR}/wine-run.sh")
