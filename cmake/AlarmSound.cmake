# The alarm's default sound, beep.wav, made on the build machine by a small
# program of ours (scripts/make_beep.cpp) and put beside Vantrel.exe, where
# the sound service finds a bare "beep.wav" first.

find_program(VANTREL_HOST_CXX NAMES c++ g++ clang++ REQUIRED)
set(_host_suffix "")
if(CMAKE_HOST_WIN32)
  set(_host_suffix ".exe")
endif()
set(_beep_tool "${CMAKE_BINARY_DIR}/make_beep${_host_suffix}")
set(_beep_source "${VANTREL_SOURCE_DIR}/scripts/make_beep.cpp")
set(VANTREL_ALARM_SOUND "${CMAKE_BINARY_DIR}/beep.wav")

add_custom_command(
  OUTPUT "${_beep_tool}"
  COMMAND "${VANTREL_HOST_CXX}" -std=c++17 -O2 -o "${_beep_tool}" "${_beep_source}"
  DEPENDS "${_beep_source}"
  COMMENT "Building make_beep for the build machine"
  VERBATIM)
add_custom_command(
  OUTPUT "${VANTREL_ALARM_SOUND}"
  COMMAND "${_beep_tool}" "${VANTREL_ALARM_SOUND}"
  DEPENDS "${_beep_tool}"
  COMMENT "Making beep.wav"
  VERBATIM)
add_custom_target(alarm_sound ALL DEPENDS "${VANTREL_ALARM_SOUND}")
add_dependencies(Vantrel alarm_sound)
