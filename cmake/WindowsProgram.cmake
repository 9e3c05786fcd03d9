# The Windows program Vantrel.exe, its user-interface code and resources, and
# the keepalive helper of the Wine test sessions.
#
# The user-interface sources are compiled once, into an object library that
# both the program and the Windows tests link, so the tests drive the same
# code. Resources are linked into both as well: the tests load the same
# dialogs and strings, with the same common-controls manifest.

set(VANTREL_UI_DIRS
    "${VANTREL_SOURCE_DIR}/frame" "${VANTREL_SOURCE_DIR}/framework"
    "${VANTREL_SOURCE_DIR}/dayview" "${VANTREL_SOURCE_DIR}/editors"
    "${VANTREL_SOURCE_DIR}/reminders" "${VANTREL_SOURCE_DIR}/exchange"
    "${VANTREL_SOURCE_DIR}/reports" "${VANTREL_SOURCE_DIR}/vcard" "${VANTREL_SOURCE_DIR}/ical"
    "${VANTREL_SOURCE_DIR}/resources")

set(_ui_patterns "")
foreach(dir IN LISTS VANTREL_UI_DIRS)
  list(APPEND _ui_patterns "${dir}/*.cpp")
endforeach()
file(GLOB _ui_sources CONFIGURE_DEPENDS ${_ui_patterns})
set(_main_source "${VANTREL_SOURCE_DIR}/frame/Main.cpp")
list(REMOVE_ITEM _ui_sources "${_main_source}")

file(GLOB VANTREL_RESOURCE_FILES CONFIGURE_DEPENDS "${VANTREL_SOURCE_DIR}/resources/*.rc")
# The scripts include pictures, the manifest and the ids; windres does not
# tell the build about them, so a changed picture would not be compiled in.
file(GLOB _resource_inputs CONFIGURE_DEPENDS
     "${VANTREL_SOURCE_DIR}/resources/*.ico" "${VANTREL_SOURCE_DIR}/resources/*.bmp"
     "${VANTREL_SOURCE_DIR}/resources/*.manifest" "${VANTREL_SOURCE_DIR}/resources/*.h")
set_source_files_properties(${VANTREL_RESOURCE_FILES} PROPERTIES OBJECT_DEPENDS "${_resource_inputs}")

# Windows libraries the interface uses; the import libraries cost nothing
# when unused.
set(_ui_system_libraries comctl32 comdlg32 gdi32 user32 shell32 advapi32 winmm
    winspool ole32 oleaut32 uuid)

set(VANTREL_UI_LIBRARY "")
if(_ui_sources)
  add_library(vantrel_ui OBJECT ${_ui_sources})
  target_include_directories(vantrel_ui PUBLIC ${VANTREL_UI_DIRS})
  target_link_libraries(vantrel_ui PUBLIC vantrel_core vantrel_exchange vantrel_vcard vantrel_ical ${_ui_system_libraries})
  vantrel_warnings(vantrel_ui)
  set(VANTREL_UI_LIBRARY vantrel_ui)
endif()

add_executable(Vantrel WIN32 "${_main_source}" ${VANTREL_RESOURCE_FILES})
target_include_directories(Vantrel PRIVATE ${VANTREL_UI_DIRS})
target_link_libraries(Vantrel PRIVATE ${VANTREL_UI_LIBRARY} vantrel_core vantrel_exchange vantrel_vcard vantrel_ical
                      ${_ui_system_libraries})
vantrel_warnings(Vantrel)

# Not part of the program: holds the Wine desktop open during test runs.
add_executable(keepalive WIN32 "${VANTREL_SOURCE_DIR}/tests/harness/keepalive/KeepAlive.cpp")
vantrel_warnings(keepalive)

# Not part of the program and not tests: timings under Wine, one program per
# bench/win/*.cpp, named after the file (bench_dayview: the day view's
# refills; bench_reports: preparing, previewing and printing the daily plan).
# Run them with cmake/wine-run.sh. They link the same interface objects and
# resources as the program, so the forms load their dialog templates.
file(GLOB _bench_win_sources CONFIGURE_DEPENDS "${VANTREL_SOURCE_DIR}/bench/win/*.cpp")
if(VANTREL_UI_LIBRARY)
  foreach(_bench_source IN LISTS _bench_win_sources)
    get_filename_component(_bench "${_bench_source}" NAME_WE)
    add_executable(${_bench} "${_bench_source}" ${VANTREL_RESOURCE_FILES})
    target_include_directories(${_bench} PRIVATE ${VANTREL_UI_DIRS})
    target_link_libraries(${_bench} PRIVATE ${VANTREL_UI_LIBRARY} vantrel_core
                          ${_ui_system_libraries})
    vantrel_warnings(${_bench})
  endforeach()
endif()
include("${VANTREL_SOURCE_DIR}/cmake/AlarmSound.cmake")
