# Fails when a platform-free source includes a Windows header.
#
# The core (records/*.cpp, records/*.h), the native platform layer
# (records/native/), the recovery copies' rules (recovery/core/) and the
# delimited-text exchange with its native locale (exchange/core/,
# exchange/native/) and the vCard exchange with its native code pages
# (vcard/core/, vcard/native/) and the iCalendar exchange with its native
# zones (ical/core/, ical/native/) must build on any system; only
# records/win/, recovery/win/, exchange/win/, vcard/win/, ical/win/ and the
# user interface talk to Windows. Run by
# the build before the core is compiled:
#   cmake -DSOURCE_DIR=<tree> -DSTAMP=<file> -P CheckPlatformFree.cmake

set(_windows_headers
    windows windef winbase winnt winuser wingdi winnls winreg winver winerror
    ole2 oleauto objbase combaseapi commctrl commdlg shellapi shlobj shlwapi
    mmsystem tchar)
list(JOIN _windows_headers "|" _alternatives)
set(_include_pattern "^[ \t]*#[ \t]*include[ \t]*[<\"](${_alternatives})\\.h[>\"]")

file(GLOB _files
    "${SOURCE_DIR}/records/*.cpp" "${SOURCE_DIR}/records/*.h"
    "${SOURCE_DIR}/records/native/*" "${SOURCE_DIR}/recovery/core/*"
    "${SOURCE_DIR}/exchange/core/*" "${SOURCE_DIR}/exchange/native/*"
    "${SOURCE_DIR}/vcard/core/*" "${SOURCE_DIR}/vcard/native/*"
    "${SOURCE_DIR}/ical/core/*" "${SOURCE_DIR}/ical/native/*")

set(_offenders "")
foreach(_file IN LISTS _files)
  file(STRINGS "${_file}" _lines REGEX "include")
  foreach(_line IN LISTS _lines)
    string(TOLOWER "${_line}" _lower)
    if(_lower MATCHES "${_include_pattern}")
      file(RELATIVE_PATH _name "${SOURCE_DIR}" "${_file}")
      list(APPEND _offenders "  ${_name}: ${_line}")
    endif()
  endforeach()
endforeach()

if(_offenders)
  list(JOIN _offenders "\n" _report)
  message(FATAL_ERROR
    "Platform-free sources include Windows headers (move the code to records/win/, exchange/win/, vcard/win/ or ical/win/):\n"
    "${_report}")
endif()

if(STAMP)
  file(TOUCH "${STAMP}")
endif()
