# The help file Vantrel.chm, compiled with chmcmd (Debian's fp-utils) beside
# Vantrel.exe and beep.wav, and its test.
#
# help/make_help.py first checks the help project against the program's
# sources: every page and window type the program opens and every pop-up
# number its dialogs ask for must be in the project (help/helpproject.py
# reads them by fixed patterns). A miss fails the build, naming the source
# line. The check runs again whenever a help file or a source file of the
# user interface changes.

find_package(Python3 REQUIRED COMPONENTS Interpreter)
find_program(VANTREL_CHMCMD chmcmd)
if(NOT VANTREL_CHMCMD)
  message(FATAL_ERROR "chmcmd (Debian package fp-utils) is needed to compile the help file; "
                      "scripts/setup.sh installs it")
endif()

set(VANTREL_HELP_FILE "${CMAKE_BINARY_DIR}/Vantrel.chm")
file(GLOB_RECURSE _help_inputs CONFIGURE_DEPENDS "${VANTREL_SOURCE_DIR}/help/*")
list(FILTER _help_inputs EXCLUDE REGEX "/__pycache__/")
set(_help_program_patterns "")
foreach(dir frame framework dayview editors reminders exchange reports vcard ical)
  list(APPEND _help_program_patterns "${VANTREL_SOURCE_DIR}/${dir}/*.cpp"
       "${VANTREL_SOURCE_DIR}/${dir}/*.h")
endforeach()
file(GLOB _help_program_sources CONFIGURE_DEPENDS ${_help_program_patterns})

add_custom_command(
  OUTPUT "${VANTREL_HELP_FILE}"
  COMMAND "${Python3_EXECUTABLE}" -B "${VANTREL_SOURCE_DIR}/help/make_help.py"
          --source "${VANTREL_SOURCE_DIR}" --output "${VANTREL_HELP_FILE}"
          --work "${CMAKE_BINARY_DIR}/help-project" --chmcmd "${VANTREL_CHMCMD}"
  DEPENDS ${_help_inputs} ${_help_program_sources}
  COMMENT "Checking the help against the program and compiling Vantrel.chm"
  VERBATIM)
add_custom_target(help_file ALL DEPENDS "${VANTREL_HELP_FILE}")
add_dependencies(Vantrel help_file)

if(VANTREL_TESTS AND NOT VANTREL_FUZZ)
  # The reading of the sources and the check, on small trees of their own.
  add_test(NAME help_check
           COMMAND "${Python3_EXECUTABLE}" -B "${VANTREL_SOURCE_DIR}/help/test_helpproject.py"
                   "${VANTREL_SOURCE_DIR}")
  set_tests_properties(help_check PROPERTIES TIMEOUT 60)
  # Reads the compiled file with chmlib's extract_chmLib (libchm-bin), not
  # with the compiler that wrote it.
  find_program(VANTREL_EXTRACT_CHMLIB extract_chmLib)
  if(VANTREL_EXTRACT_CHMLIB)
    add_test(NAME help_file
             COMMAND "${Python3_EXECUTABLE}" -B "${VANTREL_SOURCE_DIR}/help/test_chm.py"
                     "${VANTREL_SOURCE_DIR}" "${VANTREL_HELP_FILE}")
    set_tests_properties(help_file PROPERTIES TIMEOUT 60)
  else()
    message(WARNING "extract_chmLib (libchm-bin) not found: the help file is not tested")
  endif()
endif()
