# A batch with two encoders at once through the real Tarvello.exe: six clips to
# AVI, the outputs' names and streams checked; the list's Status column
# followed through a run with a failing row.
if(WIN32)
  tarvello_win_test(NAME simultaneous_e2e_test
    SOURCES
      "${CMAKE_CURRENT_LIST_DIR}/FailureSupport.cpp"
      "${CMAKE_CURRENT_LIST_DIR}/SimultaneousRunTest.cpp"
      "${CMAKE_CURRENT_LIST_DIR}/RowStatusTest.cpp"
      "${CMAKE_CURRENT_LIST_DIR}/RunLogTest.cpp"
    LIBS e2e_main_driver
    RESOURCES "${TARVELLO_MANIFEST_RC}"
    FIXTURES clips damaged_clips)
  add_dependencies(simultaneous_e2e_test Tarvello quenforenc help_files)
endif()
