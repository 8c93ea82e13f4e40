# Start-up steps of the application object that can be tested on their own.
if(WIN32)
  add_library(app_startup STATIC ${CMAKE_CURRENT_LIST_DIR}/ComponentRegistration.cpp)
  target_link_libraries(app_startup PUBLIC kernel32)

  tarvello_win_test(NAME app_startup_test
    SOURCES ${CMAKE_SOURCE_DIR}/tests/win/app/ComponentRegistrationTest.cpp
    LIBS app_startup win_test_support)
endif()
