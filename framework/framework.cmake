# The dialog framework layer.
#
#   framework_core  pure pieces: file dialog selection and filter text, command line,
#                   DPI scaling
#   framework       CWinApp, CWnd, CDialog, message maps, control wrappers (Windows)
set(_fw "${CMAKE_CURRENT_LIST_DIR}")
set(_fw_tests "${CMAKE_SOURCE_DIR}/tests/win/framework")

add_library(framework_core STATIC "${_fw}/FileSelection.cpp" "${_fw}/CommandLineInfo.cpp" "${_fw}/DpiScale.cpp"
            "${_fw}/DialogInitData.cpp" "${_fw}/ProgramFilePath.cpp")

tarvello_core_test(NAME framework_core_test
  SOURCES "${CMAKE_SOURCE_DIR}/tests/native/framework/FileSelectionTest.cpp" "${CMAKE_SOURCE_DIR}/tests/native/framework/CommandLineInfoTest.cpp"
          "${CMAKE_SOURCE_DIR}/tests/native/framework/DpiScaleTest.cpp"
          "${CMAKE_SOURCE_DIR}/tests/native/framework/DialogInitDataTest.cpp"
  LIBS framework_core)

if(WIN32)
  add_library(framework STATIC
    "${_fw}/Wnd.cpp"
    "${_fw}/Dialog.cpp"
    "${_fw}/Dpi.cpp"
    "${_fw}/WinApp.cpp"
    "${_fw}/Button.cpp"
    "${_fw}/ToolTipCtrl.cpp"
    "${_fw}/Menu.cpp"
    "${_fw}/FileDialog.cpp"
    "${_fw}/DialogInit.cpp"
    "${_fw}/ProgramFolder.cpp"
    "${_fw}/RegistryValue.cpp"
    "${_fw}/SettingsLocation.cpp")
  target_link_libraries(framework PUBLIC framework_core comctl32 comdlg32 gdi32 user32 advapi32)

  tarvello_win_test(NAME framework_test
    SOURCES "${_fw_tests}/MessageMapTest.cpp" "${_fw_tests}/DialogTest.cpp"
            "${_fw_tests}/ProfileStoreTest.cpp" "${_fw_tests}/ControlsTest.cpp"
    RESOURCES "${_fw_tests}/FrameworkTest.rc"
    LIBS framework win_test_support)
endif()
