# Output Settings dialog: the pure list model, the dialog class and their tests.

add_library(settings_model STATIC ${CMAKE_CURRENT_LIST_DIR}/OutputSettingsModel.cpp)
target_link_libraries(settings_model PUBLIC engine_core)

tarvello_core_test(NAME settings_model_test
  SOURCES ${CMAKE_SOURCE_DIR}/tests/native/settings_dialog/OutputSettingsModelTest.cpp
  LIBS settings_model)

if(WIN32)
  add_library(settings_dialog STATIC ${CMAKE_CURRENT_LIST_DIR}/OutputSettingsDlg.cpp)
  target_link_libraries(settings_dialog PUBLIC settings_model framework)

  tarvello_win_test(NAME settings_dialog_test
    SOURCES ${CMAKE_SOURCE_DIR}/tests/win/settings/OutputSettingsDlgTest.cpp
    RESOURCES "${TARVELLO_RC}" "${TARVELLO_MANIFEST_RC}"
    LIBS settings_dialog win_test_support)
endif()
