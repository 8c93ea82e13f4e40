# The image button of the main dialog's toolbar.
#
#   controls_layout  pure placement and colour choice (tested natively)
#   controls         CImageButton (Windows)
set(_ctl "${CMAKE_CURRENT_LIST_DIR}")
set(_ctl_tests "${CMAKE_SOURCE_DIR}/tests/win/controls")

add_library(controls_layout STATIC "${_ctl}/ImageButtonLayout.cpp")

tarvello_core_test(NAME controls_layout_test
  SOURCES "${CMAKE_SOURCE_DIR}/tests/native/controls/ImageButtonLayoutTest.cpp"
  LIBS controls_layout)

if(WIN32)
  add_library(controls STATIC "${_ctl}/ImageButton.cpp")
  target_link_libraries(controls PUBLIC controls_layout framework)

  tarvello_win_test(NAME controls_test
    SOURCES "${_ctl_tests}/ImageButtonTest.cpp"
    RESOURCES "${_ctl_tests}/ControlsTest.rc"
    LIBS controls win_test_support)
endif()
