# The pure conversion core (engine/core): settings, profile, source table, run progress, time
# text and the encoder argument text. No platform headers; builds everywhere.
add_library(engine_core STATIC
  ${CMAKE_CURRENT_LIST_DIR}/core/ConversionSettings.cpp
  ${CMAKE_CURRENT_LIST_DIR}/core/EncoderArguments.cpp
  ${CMAKE_CURRENT_LIST_DIR}/core/EncoderProfile.cpp
  ${CMAKE_CURRENT_LIST_DIR}/core/ModernProfile.cpp
  ${CMAKE_CURRENT_LIST_DIR}/core/OutputFormat.cpp
  ${CMAKE_CURRENT_LIST_DIR}/core/RunProgress.cpp
  ${CMAKE_CURRENT_LIST_DIR}/core/SourceTable.cpp
  ${CMAKE_CURRENT_LIST_DIR}/core/TimeText.cpp
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
