# Help and information: the tips reader and link texts (pure), the Tip of the
# Day, the About box with its labels, the Help menu commands and the HTML Help
# launcher (Windows); tips.txt and help.chm for the program folder.

add_library(help_core STATIC
  ${CMAKE_CURRENT_LIST_DIR}/TipsFile.cpp
  ${CMAKE_CURRENT_LIST_DIR}/LinkText.cpp)

tarvello_core_test(NAME help_core_test
  SOURCES ${CMAKE_SOURCE_DIR}/tests/native/help/TipsFileTest.cpp
          ${CMAKE_SOURCE_DIR}/tests/native/help/LinkTextTest.cpp
  LIBS help_core)
