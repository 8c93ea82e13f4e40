# The user interface: the application object, the main dialog with its source
# list and import, the progress dialog, Output Settings, the help dialogs and
# their labels, the image button, the skin layer, the settings file and the
# start-up registration of the media component.
if(WIN32)
  set(_ui ${CMAKE_CURRENT_LIST_DIR})
  add_library(ui STATIC
    ${_ui}/AboutDlg.cpp
    ${_ui}/ComponentRegistration.cpp
    ${_ui}/ConverterDlg.cpp
    ${_ui}/CountdownDlg.cpp
    ${_ui}/HelpCommands.cpp
    ${_ui}/HtmlHelpLauncher.cpp
    ${_ui}/ListStore.cpp
    ${_ui}/ImageButton.cpp
    ${_ui}/LinkLabel.cpp
    ${_ui}/OpenLink.cpp
    ${_ui}/OutputSettingsDlg.cpp
    ${_ui}/TargetSizeDlg.cpp
    ${_ui}/ProgressDlg.cpp
    ${_ui}/SettingsFile.cpp
    ${_ui}/Skin.cpp
    ${_ui}/SourceDrop.cpp
    ${_ui}/SourceImport.cpp
    ${_ui}/SourceList.cpp
    ${_ui}/TextLabel.cpp
    ${_ui}/TipDlg.cpp)
  target_link_libraries(ui PUBLIC core run framework
    shell32 ole32 comctl32 comdlg32 gdi32 user32 advapi32 kernel32)

  add_executable(Tarvello WIN32 ${_ui}/ConverterApp.cpp ${TARVELLO_RC} ${TARVELLO_MANIFEST_RC})
  target_link_libraries(Tarvello PRIVATE ui)
  tarvello_program(Tarvello)
  add_dependencies(Tarvello quenforenc help_files version_file)

  set(_ui_tests ${CMAKE_SOURCE_DIR}/tests/win/ui)
  # The main dialog inside a test process, with a scripted stand-in for the
  # encoder beside the test executable in a folder of its own (its option.ini
  # is written there too).
  set(_app_test_dir "${CMAKE_BINARY_DIR}/app-main-dialog-test")
  add_executable(app_fake_encoder WIN32
    ${CMAKE_SOURCE_DIR}/tests/win/run/fake_encoder/FakeEncoder.cpp ${TARVELLO_MANIFEST_RC})
  target_link_libraries(app_fake_encoder PRIVATE protocol)
  set_target_properties(app_fake_encoder PROPERTIES
    OUTPUT_NAME quenforenc RUNTIME_OUTPUT_DIRECTORY "${_app_test_dir}")
  tarvello_win_test(NAME main_dialog_test
    SOURCES
      ${_ui_tests}/MainDialogFixture.cpp
      ${_ui_tests}/ConverterDlgTest.cpp
      ${_ui_tests}/SourceListTest.cpp
    RESOURCES "${TARVELLO_RC}" "${TARVELLO_MANIFEST_RC}"
    LIBS ui win_test_support)
  set_target_properties(main_dialog_test PROPERTIES RUNTIME_OUTPUT_DIRECTORY "${_app_test_dir}")
  add_dependencies(main_dialog_test app_fake_encoder)

  tarvello_win_test(NAME settings_file_test
    SOURCES ${_ui_tests}/SettingsFileTest.cpp
    LIBS ui win_test_support)

  tarvello_win_test(NAME skin_test
    SOURCES ${_ui_tests}/SkinTest.cpp
    RESOURCES ${CMAKE_SOURCE_DIR}/tests/win/framework/FrameworkTest.rc
    LIBS ui)

  tarvello_win_test(NAME startup_test
    SOURCES ${_ui_tests}/ComponentRegistrationTest.cpp
    LIBS ui win_test_support)

  tarvello_win_test(NAME output_settings_dialog_test
    SOURCES ${_ui_tests}/OutputSettingsDlgTest.cpp
    RESOURCES "${TARVELLO_RC}" "${TARVELLO_MANIFEST_RC}"
    LIBS ui win_test_support)

  tarvello_win_test(NAME image_button_test
    SOURCES ${_ui_tests}/ImageButtonTest.cpp
    RESOURCES ${_ui_tests}/ControlsTest.rc
    LIBS ui win_test_support)

  tarvello_win_test(NAME help_dialogs_test
    SOURCES ${_ui_tests}/HelpTestSupport.cpp
            ${_ui_tests}/HtmAssociation.cpp
            ${_ui_tests}/TipDlgTest.cpp
            ${_ui_tests}/OpenLinkTest.cpp
            ${_ui_tests}/AboutDlgTest.cpp
            ${_ui_tests}/HtmlHelpTest.cpp
    RESOURCES ${TARVELLO_RC} ${TARVELLO_MANIFEST_RC}
    LIBS ui win_test_support advapi32)
  add_dependencies(help_dialogs_test help_files)

  add_custom_command(OUTPUT "${TARVELLO_PROGRAM_DIR}/version.ini"
    COMMAND ${CMAKE_COMMAND} -E copy "${CMAKE_SOURCE_DIR}/res/version.ini" "${TARVELLO_PROGRAM_DIR}/version.ini"
    DEPENDS "${CMAKE_SOURCE_DIR}/res/version.ini")
  add_custom_target(version_file ALL DEPENDS "${TARVELLO_PROGRAM_DIR}/version.ini")
endif()
