# The conversion run: output naming, progress display, encoder events and row
# outcomes (pure, engine_run_core, in engine/core), and on Windows the
# encoders' launch and wait, the event link, the batch run and the progress
# dialog (engine_win, in engine/win).
add_library(engine_run_core STATIC
  ${CMAKE_CURRENT_LIST_DIR}/core/BatchReport.cpp
  ${CMAKE_CURRENT_LIST_DIR}/core/EncoderEvents.cpp
  ${CMAKE_CURRENT_LIST_DIR}/core/OutputNaming.cpp
  ${CMAKE_CURRENT_LIST_DIR}/core/ProgressText.cpp
  ${CMAKE_CURRENT_LIST_DIR}/core/RowOutcome.cpp
  ${CMAKE_CURRENT_LIST_DIR}/core/RunSignals.cpp
)
target_link_libraries(engine_run_core PUBLIC engine_core)

set(ENGINE_RUN_TEST_DIR ${CMAKE_CURRENT_LIST_DIR}/../tests/native/run)
tarvello_core_test(NAME engine_run_core_tests
  SOURCES
    ${ENGINE_RUN_TEST_DIR}/BatchReportTest.cpp
    ${ENGINE_RUN_TEST_DIR}/EncoderEventsTest.cpp
    ${ENGINE_RUN_TEST_DIR}/OutputNamingTest.cpp
    ${ENGINE_RUN_TEST_DIR}/ProgressTextTest.cpp
    ${ENGINE_RUN_TEST_DIR}/RowOutcomeTest.cpp
    ${ENGINE_RUN_TEST_DIR}/RunSignalsTest.cpp
  LIBS engine_run_core)

if(WIN32)
  add_library(engine_win STATIC
    ${CMAKE_CURRENT_LIST_DIR}/win/BatchRun.cpp
    ${CMAKE_CURRENT_LIST_DIR}/win/EncoderEventLink.cpp
    ${CMAKE_CURRENT_LIST_DIR}/win/EncoderJobs.cpp
    ${CMAKE_CURRENT_LIST_DIR}/win/EncoderLaunch.cpp
    ${CMAKE_CURRENT_LIST_DIR}/win/EnsureFolder.cpp
    ${CMAKE_CURRENT_LIST_DIR}/win/FileIdentity.cpp
    ${CMAKE_CURRENT_LIST_DIR}/win/MessagePump.cpp
    ${CMAKE_CURRENT_LIST_DIR}/win/ProgramFolder.cpp
    ${CMAKE_CURRENT_LIST_DIR}/win/ProgressDlg.cpp
    ${CMAKE_CURRENT_LIST_DIR}/win/SystemRunSignals.cpp
  )
  target_link_libraries(engine_win PUBLIC engine_run_core encoder_core framework shell32 ole32 uuid user32)
endif()

if(WIN32)
  # Windows tests of the run, with a scripted stand-in for quenforenc.exe in a
  # test program folder of its own (never the real program folder).
  set(ENGINE_RUN_WIN_TEST_DIR ${CMAKE_CURRENT_LIST_DIR}/../tests/win/run)
  add_executable(run_fake_encoder WIN32 ${ENGINE_RUN_WIN_TEST_DIR}/fake_encoder/FakeEncoder.cpp
                 ${CMAKE_SOURCE_DIR}/res/TarvelloManifest.rc)
  target_link_libraries(run_fake_encoder PRIVATE encoder_core)
  set_target_properties(run_fake_encoder PROPERTIES
    OUTPUT_NAME quenforenc
    RUNTIME_OUTPUT_DIRECTORY "${CMAKE_BINARY_DIR}/run-test-program")

  tarvello_win_test(NAME engine_run_win_tests
    SOURCES
      ${ENGINE_RUN_WIN_TEST_DIR}/RunTestHost.cpp
      ${ENGINE_RUN_WIN_TEST_DIR}/EncoderLaunchTest.cpp
      ${ENGINE_RUN_WIN_TEST_DIR}/BatchRunTest.cpp
      ${ENGINE_RUN_WIN_TEST_DIR}/RunKeepsFilesTest.cpp
      ${ENGINE_RUN_WIN_TEST_DIR}/FileIdentityTest.cpp
      ${ENGINE_RUN_WIN_TEST_DIR}/RunSignalsOrderTest.cpp
    RESOURCES ${CMAKE_SOURCE_DIR}/res/Tarvello.rc ${CMAKE_SOURCE_DIR}/res/TarvelloManifest.rc
    LIBS engine_win win_test_support)
  add_dependencies(engine_run_win_tests run_fake_encoder)
endif()
