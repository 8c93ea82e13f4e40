# The pure conversion core: settings, profile, source table, run state, time
# text and the encoder argument text. No platform headers; builds everywhere.
add_library(engine_core STATIC
  ${CMAKE_CURRENT_LIST_DIR}/ConversionSettings.cpp
  ${CMAKE_CURRENT_LIST_DIR}/EncoderArguments.cpp
  ${CMAKE_CURRENT_LIST_DIR}/EncoderProfile.cpp
  ${CMAKE_CURRENT_LIST_DIR}/ModernProfile.cpp
  ${CMAKE_CURRENT_LIST_DIR}/OutputFormat.cpp
  ${CMAKE_CURRENT_LIST_DIR}/RunProgress.cpp
  ${CMAKE_CURRENT_LIST_DIR}/SourceTable.cpp
  ${CMAKE_CURRENT_LIST_DIR}/TimeText.cpp
)

set(ENGINE_CORE_TEST_DIR ${CMAKE_CURRENT_LIST_DIR}/../tests/native/engine)
tarvello_core_test(NAME engine_core_tests
  SOURCES
    ${ENGINE_CORE_TEST_DIR}/ConversionSettingsTest.cpp
    ${ENGINE_CORE_TEST_DIR}/EncoderArgumentsTest.cpp
    ${ENGINE_CORE_TEST_DIR}/EncoderProfileTest.cpp
    ${ENGINE_CORE_TEST_DIR}/ModernArgumentsTest.cpp
    ${ENGINE_CORE_TEST_DIR}/SourceTableTest.cpp
    ${ENGINE_CORE_TEST_DIR}/TimeTextTest.cpp
  LIBS engine_core)
