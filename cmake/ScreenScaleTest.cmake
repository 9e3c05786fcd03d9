# The Windows tests once more at 150% and 200%: tests/frame/ScreenScaleTest.cpp
# in Wine prefixes of their own at 96, 144 and 192 DPI, keeping screenshots
# in <build>/dpi-shots.
if(VANTREL_TESTS AND NOT VANTREL_FUZZ AND CMAKE_CROSSCOMPILING AND TARGET vantrel_win_tests)
  add_test(NAME screen_scales
           COMMAND bash "${VANTREL_SOURCE_DIR}/tests/frame/test-screen-scales.sh"
                   "${CMAKE_BINARY_DIR}" "$<TARGET_FILE:vantrel_win_tests>")
  # Three prefixes, each with its own wineserver, on a display of its own.
  set_tests_properties(screen_scales PROPERTIES TIMEOUT 300)
endif()
