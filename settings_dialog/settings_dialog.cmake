# Output Settings dialog: the pure list model, the dialog class and their tests.

add_library(settings_model STATIC ${CMAKE_CURRENT_LIST_DIR}/OutputSettingsModel.cpp)
target_link_libraries(settings_model PUBLIC engine_core)

tarvello_core_test(NAME settings_model_test
  SOURCES ${CMAKE_SOURCE_DIR}/tests/native/settings_dialog/OutputSettingsModelTest.cpp
  LIBS settings_model)
