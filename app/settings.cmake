# The settings file (option.ini) and the version file (version.ini).
if(WIN32)
  add_library(app_settings STATIC ${CMAKE_CURRENT_LIST_DIR}/SettingsFile.cpp)
  target_link_libraries(app_settings PUBLIC engine_core engine_win)

  tarvello_win_test(NAME settings_file_test
    SOURCES ${CMAKE_SOURCE_DIR}/tests/win/settings/SettingsFileTest.cpp
    LIBS app_settings win_test_support)
endif()
