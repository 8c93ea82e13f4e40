# The conversion run: output naming, progress display, encoder events and row
# outcomes (pure, engine_run_core), and on Windows the launch and wait, the
# event link, the batch run and the progress dialog (engine_win).
add_library(engine_run_core STATIC
  ${CMAKE_CURRENT_LIST_DIR}/BatchReport.cpp
  ${CMAKE_CURRENT_LIST_DIR}/EncoderEvents.cpp
  ${CMAKE_CURRENT_LIST_DIR}/OutputNaming.cpp
  ${CMAKE_CURRENT_LIST_DIR}/ProgressText.cpp
  ${CMAKE_CURRENT_LIST_DIR}/RowOutcome.cpp
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
  LIBS engine_run_core)
