# End-to-end tests of the program as a whole: the real Tarvello.exe with the
# real encoder and FFmpeg, each test in a private copy of the program folder,
# driven from outside by window messages; outputs checked with ffprobe.
if(WIN32)
  add_library(e2e_main_driver STATIC "${CMAKE_CURRENT_LIST_DIR}/MainDriver.cpp")
  target_link_libraries(e2e_main_driver PUBLIC e2e_encoder_harness win_test_support comctl32 user32)

  tarvello_win_test(NAME main_e2e_test
    SOURCES
      "${CMAKE_CURRENT_LIST_DIR}/MainStartupTest.cpp"
      "${CMAKE_CURRENT_LIST_DIR}/MainChoicesTest.cpp"
      "${CMAKE_CURRENT_LIST_DIR}/MainWindowTest.cpp"
    LIBS e2e_main_driver
    FIXTURES clips)
  # The whole program folder must be built before it runs.
  add_dependencies(main_e2e_test Tarvello quenforenc help_files)
endif()

if(WIN32)
  # The demo that scripts/run plays without a display.
  add_executable(main_demo "${CMAKE_CURRENT_LIST_DIR}/MainDemo.cpp" ${TARVELLO_MANIFEST_RC})
  target_link_libraries(main_demo PRIVATE e2e_main_driver)
  set_target_properties(main_demo PROPERTIES RUNTIME_OUTPUT_DIRECTORY "${CMAKE_BINARY_DIR}/demo")
endif()
