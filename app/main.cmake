# The program itself: the application object, the main dialog and its source
# list. The list's bookkeeping is pure and tested natively; Tarvello.exe and
# its Wine tests only exist in the Windows builds.
add_library(app_source_list_core STATIC
  ${CMAKE_CURRENT_LIST_DIR}/DroppedFiles.cpp
  ${CMAKE_CURRENT_LIST_DIR}/ImportReport.cpp
  ${CMAKE_CURRENT_LIST_DIR}/SourceListRows.cpp
  ${CMAKE_CURRENT_LIST_DIR}/VideoFileTypes.cpp)
target_link_libraries(app_source_list_core PUBLIC engine_core)

tarvello_core_test(NAME app_source_list_core_test
  SOURCES
    ${CMAKE_SOURCE_DIR}/tests/native/app/DroppedFilesTest.cpp
    ${CMAKE_SOURCE_DIR}/tests/native/app/ImportReportTest.cpp
    ${CMAKE_SOURCE_DIR}/tests/native/app/SourceListRowsTest.cpp
  LIBS app_source_list_core)

if(WIN32)
  # Everything of the main window but the entry point, so that the Wine tests
  # can create the main dialog inside their own process.
  add_library(app_main_window STATIC
    ${CMAKE_CURRENT_LIST_DIR}/ConverterDlg.cpp
    ${CMAKE_CURRENT_LIST_DIR}/SourceDrop.cpp
    ${CMAKE_CURRENT_LIST_DIR}/SourceList.cpp
    ${CMAKE_CURRENT_LIST_DIR}/SourceImport.cpp)
  target_link_libraries(app_main_window PUBLIC
    app_source_list_core app_settings app_skin engine_win settings_dialog help_win controls framework
    shell32 ole32 comctl32 comdlg32 gdi32 user32)

  add_executable(Tarvello WIN32
    ${CMAKE_CURRENT_LIST_DIR}/ConverterApp.cpp
    ${TARVELLO_RC} ${TARVELLO_MANIFEST_RC})
  target_link_libraries(Tarvello PRIVATE app_main_window app_startup)
  tarvello_program(Tarvello)
  # The program folder is only complete with the encoder and the help files.
  add_dependencies(Tarvello quenforenc help_files)

  # The main dialog inside a test process, with a scripted stand-in for the
  # encoder beside the test executable in a folder of its own (its option.ini
  # is written there too).
  set(_app_test_dir "${CMAKE_BINARY_DIR}/app-main-dialog-test")
  add_executable(app_fake_encoder WIN32
    ${CMAKE_SOURCE_DIR}/tests/win/run/fake_encoder/FakeEncoder.cpp ${TARVELLO_MANIFEST_RC})
  target_link_libraries(app_fake_encoder PRIVATE encoder_core)
  set_target_properties(app_fake_encoder PROPERTIES
    OUTPUT_NAME quenforenc RUNTIME_OUTPUT_DIRECTORY "${_app_test_dir}")
  tarvello_win_test(NAME app_main_dialog_test
    SOURCES
      ${CMAKE_SOURCE_DIR}/tests/win/app/MainDialogFixture.cpp
      ${CMAKE_SOURCE_DIR}/tests/win/app/ConverterDlgTest.cpp
      ${CMAKE_SOURCE_DIR}/tests/win/app/SourceListTest.cpp
    RESOURCES "${TARVELLO_RC}" "${TARVELLO_MANIFEST_RC}"
    LIBS app_main_window win_test_support)
  set_target_properties(app_main_dialog_test PROPERTIES RUNTIME_OUTPUT_DIRECTORY "${_app_test_dir}")
  add_dependencies(app_main_dialog_test app_fake_encoder)

endif()
