# The pure core of the program: settings and profiles, the session and its
# source list, run progress, the encoder's argument text, output naming,
# report handling and the texts of the run's end, the Output Settings model,
# the import's texts and the tips file. No platform headers; builds everywhere.
set(_core ${CMAKE_CURRENT_LIST_DIR})
add_library(core STATIC
  ${_core}/BatchReport.cpp
  ${_core}/ConstantQualityProfile.cpp
  ${_core}/ConversionSettings.cpp
  ${_core}/DroppedFiles.cpp
  ${_core}/EncoderArguments.cpp
  ${_core}/EncoderProfile.cpp
  ${_core}/EncoderReports.cpp
  ${_core}/ImageButtonLayout.cpp
  ${_core}/ImportReport.cpp
  ${_core}/LinkText.cpp
  ${_core}/ListFile.cpp
  ${_core}/ListTarget.cpp
  ${_core}/OutputFormat.cpp
  ${_core}/OutputNaming.cpp
  ${_core}/OutputSettingsModel.cpp
  ${_core}/ProgressDisplay.cpp
  ${_core}/RowOutcome.cpp
  ${_core}/RowStatus.cpp
  ${_core}/RunLogs.cpp
  ${_core}/RunProgress.cpp
  ${_core}/RunSignals.cpp
  ${_core}/SoundFormats.cpp
  ${_core}/SourceListRows.cpp
  ${_core}/SourceTable.cpp
  ${_core}/TargetSize.cpp
  ${_core}/TargetSizeChoices.cpp
  ${_core}/TimeText.cpp
  ${_core}/TipsFile.cpp
  ${_core}/VideoFileTypes.cpp
  ${_core}/WhenDone.cpp)
target_link_libraries(core PUBLIC protocol)

set(_core_tests ${CMAKE_SOURCE_DIR}/tests/native/core)
tarvello_core_test(NAME core_test
  SOURCES
    ${_core_tests}/BatchReportTest.cpp
    ${_core_tests}/ConstantQualityArgumentsTest.cpp
    ${_core_tests}/ConversionSettingsTest.cpp
    ${_core_tests}/DroppedFilesTest.cpp
    ${_core_tests}/EncoderArgumentsTest.cpp
    ${_core_tests}/EncoderReportsTest.cpp
    ${_core_tests}/EncoderProfileTest.cpp
    ${_core_tests}/ImageButtonLayoutTest.cpp
    ${_core_tests}/ImportReportTest.cpp
    ${_core_tests}/LinkTextTest.cpp
    ${_core_tests}/ListFileTest.cpp
    ${_core_tests}/OutputNamingTest.cpp
    ${_core_tests}/OutputSettingsChoicesTest.cpp
    ${_core_tests}/OutputSettingsModelTest.cpp
    ${_core_tests}/OutputSettingsSoundTest.cpp
    ${_core_tests}/ProgressDisplayTest.cpp
    ${_core_tests}/RowOutcomeTest.cpp
    ${_core_tests}/RunLogsTest.cpp
    ${_core_tests}/RunSignalsTest.cpp
    ${_core_tests}/SourceListRowsTest.cpp
    ${_core_tests}/SourceTableTest.cpp
    ${_core_tests}/TargetSizeTest.cpp
    ${_core_tests}/TargetSizeChoicesTest.cpp
    ${_core_tests}/TimeTextTest.cpp
    ${_core_tests}/TipsFileTest.cpp
  LIBS core framework_core)
