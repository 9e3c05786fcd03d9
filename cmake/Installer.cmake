# The setup program Vantrel-<version>-setup.exe (NSIS, installer/Vantrel.nsi)
# and the portable zip of the same three files, both made from the 32-bit
# build beside Vantrel.exe; and the test that installs, updates and removes
# the program under Wine.

if(NOT CMAKE_SIZEOF_VOID_P EQUAL 4)
  return()  # Vantrel! ships as a 32-bit program
endif()

find_program(VANTREL_MAKENSIS makensis)
if(NOT VANTREL_MAKENSIS)
  if(CMAKE_CROSSCOMPILING)
    message(FATAL_ERROR "makensis (Debian package nsis) is needed for the setup program; "
                        "scripts/setup.sh installs it")
  endif()
  message(STATUS "makensis not found: no setup program is built")
  return()
endif()

set(VANTREL_SETUP "${CMAKE_BINARY_DIR}/Vantrel-${PROJECT_VERSION}-setup.exe")
set(VANTREL_PORTABLE_ZIP "${CMAKE_BINARY_DIR}/Vantrel-${PROJECT_VERSION}-portable.zip")
set(_shipped "$<TARGET_FILE:Vantrel>" "${VANTREL_ALARM_SOUND}" "${VANTREL_HELP_FILE}")

add_custom_command(
  OUTPUT "${VANTREL_SETUP}"
  COMMAND "${VANTREL_MAKENSIS}" -V2 -NOCD "-DVERSION=${PROJECT_VERSION}"
          "-DBUILD_DIR=${CMAKE_BINARY_DIR}" "-DSOURCE_DIR=${VANTREL_SOURCE_DIR}"
          "-DOUTFILE=${VANTREL_SETUP}" "${VANTREL_SOURCE_DIR}/installer/Vantrel.nsi"
  DEPENDS ${_shipped} Vantrel "${VANTREL_SOURCE_DIR}/installer/Vantrel.nsi"
          "${VANTREL_SOURCE_DIR}/resources/Vantrel.ico"
  COMMENT "Making Vantrel-${PROJECT_VERSION}-setup.exe"
  VERBATIM)
add_custom_command(
  OUTPUT "${VANTREL_PORTABLE_ZIP}"
  COMMAND "${CMAKE_COMMAND}" -E rm -f "${VANTREL_PORTABLE_ZIP}"
  COMMAND "${CMAKE_COMMAND}" -E tar cf "${VANTREL_PORTABLE_ZIP}" --format=zip
          Vantrel.exe beep.wav Vantrel.chm
  WORKING_DIRECTORY "${CMAKE_BINARY_DIR}"
  DEPENDS ${_shipped} Vantrel
  COMMENT "Making Vantrel-${PROJECT_VERSION}-portable.zip"
  VERBATIM)
add_custom_target(installer ALL DEPENDS "${VANTREL_SETUP}" "${VANTREL_PORTABLE_ZIP}")
add_dependencies(installer Vantrel alarm_sound help_file)

if(VANTREL_TESTS AND NOT VANTREL_FUZZ AND CMAKE_CROSSCOMPILING)
  # Looks at the installed program from inside Wine; not shipped.
  add_executable(install_probe "${VANTREL_SOURCE_DIR}/installer/tests/InstallProbe.cpp")
  vantrel_warnings(install_probe)
  add_test(NAME installer
           COMMAND bash "${VANTREL_SOURCE_DIR}/installer/tests/test-installer.sh"
                   "${CMAKE_BINARY_DIR}" "${VANTREL_SETUP}" "$<TARGET_FILE:install_probe>"
                   "${VANTREL_PORTABLE_ZIP}")
  # Runs in prefixes and on a display of its own.
  set_tests_properties(installer PROPERTIES TIMEOUT 300)
  add_dependencies(installer install_probe)
endif()
